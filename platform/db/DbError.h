#pragma once

#include "platform/Error.h"

#include <libpq-fe.h>

namespace db {

// An error from the database layer or the server. sqlState() is for program
// logic; message() is what the operator reads: the server's primary message
// (a trigger's own words) with DETAIL and HINT on their own lines.
class DbError : public Error {
public:
    DbError(const QString& message, const QString& sqlState = {}, bool connectionLost = false);

    const QString& sqlState() const noexcept { return sqlState_; }
    // The connection broke while the statement ran: its outcome is unknown.
    bool connectionLost() const noexcept { return connectionLost_; }

    // Builds the error for a failed result; connectionLost is judged by the
    // connection status, since libpq gives no SQLSTATE then.
    static DbError fromResult(const PGresult* result, const PGconn* conn);
    static DbError fromConnection(const PGconn* conn);

private:
    QString sqlState_;
    bool connectionLost_;
};

// libpq's own message without its trailing newline and "ERROR:  " prefix.
QString cleanLibpqMessage(const char* text);

} // namespace db
