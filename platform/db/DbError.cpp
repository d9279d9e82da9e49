#include "platform/db/DbError.h"

#include <QStringList>

namespace db {

DbError::DbError(const QString& message, const QString& sqlState, bool connectionLost)
    : Error(message), sqlState_(sqlState), connectionLost_(connectionLost)
{
}

QString cleanLibpqMessage(const char* text)
{
    QString message = QString::fromUtf8(text ? text : "").trimmed();
    for (const char* prefix : {"ERROR:  ", "FATAL:  "}) {
        if (message.startsWith(QLatin1String(prefix)))
            message = message.mid(int(qstrlen(prefix)));
    }
    return message;
}

namespace {

QString field(const PGresult* result, int code)
{
    const char* value = PQresultErrorField(result, code);
    return value ? QString::fromUtf8(value) : QString();
}

} // namespace

DbError DbError::fromResult(const PGresult* result, const PGconn* conn)
{
    const bool lost = PQstatus(conn) == CONNECTION_BAD;
    const QString primary = result ? field(result, PG_DIAG_MESSAGE_PRIMARY) : QString();
    if (primary.isEmpty()) {
        // libpq's own errors (a lost connection among them) carry no fields.
        const char* text = result ? PQresultErrorMessage(result) : nullptr;
        if (!text || !*text)
            text = PQerrorMessage(conn);
        return DbError(cleanLibpqMessage(text), field(result, PG_DIAG_SQLSTATE), lost);
    }
    QStringList lines{primary};
    if (const QString detail = field(result, PG_DIAG_MESSAGE_DETAIL); !detail.isEmpty())
        lines << detail;
    if (const QString hint = field(result, PG_DIAG_MESSAGE_HINT); !hint.isEmpty())
        lines << hint;
    return DbError(lines.join(QLatin1Char('\n')), field(result, PG_DIAG_SQLSTATE), lost);
}

DbError DbError::fromConnection(const PGconn* conn)
{
    return DbError(cleanLibpqMessage(PQerrorMessage(conn)));
}

} // namespace db
