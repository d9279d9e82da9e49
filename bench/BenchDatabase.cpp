#include "bench/BenchDatabase.h"

#include <libpq-fe.h>

#include <memory>
#include <stdexcept>

QString argument(const QStringList& arguments, const QString& name, const QString& fallback)
{
    const qsizetype i = arguments.indexOf(name);
    return i >= 0 && i + 1 < arguments.size() ? arguments[i + 1] : fallback;
}

db::ConnectionSettings benchSettings(const QStringList& arguments)
{
    db::ConnectionSettings settings;
    settings.host = argument(arguments, QStringLiteral("--host"), QStringLiteral("127.0.0.1"));
    settings.port = argument(arguments, QStringLiteral("--port"), QStringLiteral("5432")).toInt();
    settings.user = argument(arguments, QStringLiteral("--user"), QStringLiteral("nuv"));
    settings.password = argument(arguments, QStringLiteral("--password"), QString());
    settings.database = argument(arguments, QStringLiteral("--db"), QStringLiteral("bench"));
    settings.applicationName = QStringLiteral("mwmskt-bench");
    return settings;
}

void execBulk(const db::ConnectionSettings& settings, const QString& sql)
{
    const QByteArray info = QStringLiteral("host=%1 port=%2 user=%3 password=%4 dbname=%5")
                                .arg(settings.host)
                                .arg(settings.port)
                                .arg(settings.user, settings.password, settings.database)
                                .toUtf8();
    const std::unique_ptr<PGconn, decltype(&PQfinish)> conn(PQconnectdb(info.constData()), &PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw std::runtime_error(PQerrorMessage(conn.get()));
    const std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(conn.get(), sql.toUtf8().constData()), &PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(PQerrorMessage(conn.get()));
}
