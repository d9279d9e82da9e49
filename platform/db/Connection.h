#pragma once

#include "platform/db/Params.h"
#include "platform/db/Result.h"

#include <QString>
#include <QTimer>

#include <libpq-fe.h>
#include <memory>

namespace db {

struct ConnectionSettings {
    QString user;
    QString password;
    QString host;
    int port = 5432;
    QString database;
    QString sslMode = QStringLiteral("disable"); // libpq's sslmode values
    int connectTimeoutSeconds = 15;
    QString applicationName;
    // Close an unused connection after this long; 0 closes it after every operation.
    int idleCloseMs = 60000;
    // When the deployment lacks what this connection needs, the message to
    // raise at the first attempt to use it.
    QString unusableReason;
};

// One PostgreSQL connection, opened on first use and closed after an idle
// time. A connection found broken is replaced before the next statement.
// Reads that fail because the connection broke are retried once on a fresh
// connection; writes never are, since their outcome is unknown.
class Connection {
public:
    Connection(QString name, ConnectionSettings settings);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& name() const { return name_; }
    const ConnectionSettings& settings() const { return settings_; }

    // Changing where or how to connect closes an open connection.
    void setServer(const QString& host);
    void setPort(int port);
    void setDatabase(const QString& database);
    void setSslMode(const QString& sslMode);
    void setIdleCloseMs(int ms);

    bool isConnected() const { return conn_ != nullptr; }
    void disconnect();
    // The server process serving us; 0 when not connected.
    int backendPid() const;

    Result read(const QString& sql, const ParamList::Bound& params);
    Result write(const QString& sql, const ParamList::Bound& params);
    // A write that must touch exactly one row, in its own transaction: any
    // other count rolls it back and fails with "Update failed. Found %d records".
    void writeExactlyOne(const QString& sql, const ParamList::Bound& params);

private:
    struct Finish {
        void operator()(PGconn* conn) const { PQfinish(conn); }
    };
    using Handle = std::unique_ptr<PGconn, Finish>;

    PGconn* ensureConnected();
    Handle connect() const;
    Result execute(const QString& sql, const ParamList::Bound& params);
    void afterOperation();
    void changeSetting(bool changed);

    QString name_;
    ConnectionSettings settings_;
    Handle conn_;
    QTimer idleTimer_;
};

} // namespace db
