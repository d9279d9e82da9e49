#include "tests/harness/TestDatabase.h"

#include <QUuid>

#include <libpq-fe.h>
#include <memory>
#include <stdexcept>

namespace {

QString requiredEnv(const char* name)
{
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        throw std::runtime_error(std::string(name) + " is not set: run the tests through scripts/test");
    return value;
}

struct Finish {
    void operator()(PGconn* conn) const { PQfinish(conn); }
};
struct Clear {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Conn = std::unique_ptr<PGconn, Finish>;
using Res = std::unique_ptr<PGresult, Clear>;

Conn connectTo(const TestServer& server, const QString& database)
{
    const QByteArray info = QStringLiteral("host=%1 port=%2 user=%3 password=%4 dbname=%5 sslmode=disable")
                                .arg(server.host)
                                .arg(server.port)
                                .arg(server.user, server.password, database)
                                .toUtf8();
    Conn conn(PQconnectdb(info.constData()));
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw std::runtime_error(std::string("test database: ") + PQerrorMessage(conn.get()));
    return conn;
}

Res run(PGconn* conn, const QString& sql)
{
    Res result(PQexec(conn, sql.toUtf8().constData()));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(std::string("test SQL failed: ") + PQerrorMessage(conn) + "\n" + sql.toStdString());
    return result;
}

} // namespace

TestServer TestServer::main()
{
    return {requiredEnv("PGTEST_HOST"), requiredEnv("PGTEST_PORT").toInt(), requiredEnv("PGTEST_USER"),
            requiredEnv("PGTEST_PASSWORD")};
}

TestServer TestServer::plain()
{
    TestServer server = main();
    server.port = requiredEnv("PGTEST_PLAIN_PORT").toInt();
    return server;
}

void execOn(const TestServer& server, const QString& database, const QString& sql)
{
    const Conn conn = connectTo(server, database);
    run(conn.get(), sql);
}

TestDatabase::TestDatabase(const QString& templateName, TestServer server)
    : server_(std::move(server)), name_(QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(20))
{
    execOn(server_, QStringLiteral("postgres"),
           QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(name_, templateName));
}

TestDatabase::~TestDatabase()
{
    try {
        execOn(server_, QStringLiteral("postgres"), QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(name_));
    } catch (const std::exception&) {
        // A leftover database dies with the throw-away cluster.
    }
}

db::ConnectionSettings TestDatabase::settings() const
{
    db::ConnectionSettings settings;
    settings.user = server_.user;
    settings.password = server_.password;
    settings.host = server_.host;
    settings.port = server_.port;
    settings.database = name_;
    settings.applicationName = QStringLiteral("mwmskt");
    return settings;
}

void TestDatabase::exec(const QString& sql) const
{
    if (!sql.trimmed().isEmpty())
        execOn(server_, name_, sql);
}

QString TestDatabase::scalar(const QString& sql) const
{
    const Conn conn = connectTo(server_, name_);
    const Res result = run(conn.get(), sql);
    if (PQntuples(result.get()) == 0 || PQgetisnull(result.get(), 0, 0))
        return {};
    return QString::fromUtf8(PQgetvalue(result.get(), 0, 0));
}
