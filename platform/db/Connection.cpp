#include "platform/db/Connection.h"

#include "platform/db/DbError.h"

#include <functional>
#include <QByteArray>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <poll.h>
#endif
#include <vector>

namespace db {

namespace {

// Keeps a dead Wi-Fi link from hanging a statement for minutes: keepalives
// notice a silent peer while we wait for an answer, tcp_user_timeout while
// our own data stays unacknowledged.
constexpr const char* kKeepalivesIdle = "5";
constexpr const char* kKeepalivesInterval = "2";
constexpr const char* kKeepalivesCount = "3";
constexpr const char* kTcpUserTimeoutMs = "10000";

bool isSslRequired(const QString& mode)
{
    return mode == QLatin1String("require") || mode.startsWith(QLatin1String("verify-"));
}

bool socketReadable(int socket)
{
#ifdef _WIN32
    WSAPOLLFD fd{SOCKET(socket), POLLRDNORM, 0};
    return WSAPoll(&fd, 1, 0) > 0;
#else
    pollfd fd{socket, POLLIN, 0};
    return poll(&fd, 1, 0) > 0;
#endif
}

// The server's words on an idle connection (say, why it is closing it) are
// for no one: the next statement reports what matters.
void ignoreNotice(void*, const char*) {}

class ScopeExit {
public:
    explicit ScopeExit(std::function<void()> f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    std::function<void()> f_;
};

} // namespace

Connection::Connection(QString name, ConnectionSettings settings)
    : name_(std::move(name)), settings_(std::move(settings))
{
    idleTimer_.setSingleShot(true);
    idleTimer_.callOnTimeout([this] { disconnect(); });
}

Connection::~Connection() = default;

void Connection::changeSetting(bool changed)
{
    if (changed)
        disconnect();
}

void Connection::setServer(const QString& host)
{
    changeSetting(host != settings_.host);
    settings_.host = host;
}

void Connection::setPort(int port)
{
    changeSetting(port != settings_.port);
    settings_.port = port;
}

void Connection::setDatabase(const QString& database)
{
    changeSetting(database != settings_.database);
    settings_.database = database;
}

void Connection::setSslMode(const QString& sslMode)
{
    changeSetting(sslMode != settings_.sslMode);
    settings_.sslMode = sslMode;
}

void Connection::setIdleCloseMs(int ms)
{
    settings_.idleCloseMs = ms;
}

void Connection::disconnect()
{
    idleTimer_.stop();
    conn_.reset();
}

int Connection::backendPid() const
{
    return conn_ ? PQbackendPID(conn_.get()) : 0;
}

Connection::Handle Connection::connect() const
{
    if (!settings_.unusableReason.isEmpty())
        throw DbError(settings_.unusableReason);

    // Results are parsed in ISO form. libpq sends PGDATESTYLE as a start-up
    // parameter, which (unlike "options") poolers pass through.
    qputenv("PGDATESTYLE", "ISO");

    const QByteArray host = settings_.host.toUtf8(), port = QByteArray::number(settings_.port),
                     database = settings_.database.toUtf8(), user = settings_.user.toUtf8(),
                     password = settings_.password.toUtf8(), sslMode = settings_.sslMode.toUtf8(),
                     timeout = QByteArray::number(settings_.connectTimeoutSeconds),
                     application = settings_.applicationName.toUtf8();
    const std::vector<const char*> keywords{"host",
                                            "port",
                                            "dbname",
                                            "user",
                                            "password",
                                            "sslmode",
                                            "connect_timeout",
                                            "application_name",
                                            "client_encoding",
                                            "keepalives",
                                            "keepalives_idle",
                                            "keepalives_interval",
                                            "keepalives_count",
                                            "tcp_user_timeout",
                                            nullptr};
    const std::vector<const char*> values{host.constData(),
                                          port.constData(),
                                          database.constData(),
                                          user.constData(),
                                          password.isEmpty() ? nullptr : password.constData(),
                                          sslMode.constData(),
                                          timeout.constData(),
                                          application.constData(),
                                          "UTF8",
                                          "1",
                                          kKeepalivesIdle,
                                          kKeepalivesInterval,
                                          kKeepalivesCount,
                                          kTcpUserTimeoutMs,
                                          nullptr};

    Handle conn(PQconnectdbParams(keywords.data(), values.data(), 0));
    if (!conn)
        throw DbError(QStringLiteral("Out of memory while connecting to %1").arg(settings_.host));
    PQsetNoticeProcessor(conn.get(), ignoreNotice, nullptr);
    if (PQstatus(conn.get()) != CONNECTION_OK) {
        const QString message = QString::fromUtf8(PQerrorMessage(conn.get()));
        if (isSslRequired(settings_.sslMode) && message.contains(QLatin1String("server does not support SSL")))
            throw DbError(QStringLiteral("SSL connection is not allowed"));
        throw DbError(cleanLibpqMessage(PQerrorMessage(conn.get())));
    }
    const char* dateStyle = PQparameterStatus(conn.get(), "DateStyle");
    if (!dateStyle || !QByteArray(dateStyle).startsWith("ISO")) {
        Result set(PQexec(conn.get(), "SET DateStyle = ISO"));
        if (PQresultStatus(set.get()) != PGRES_COMMAND_OK)
            throw DbError::fromResult(set.get(), conn.get());
    }
    return conn;
}

PGconn* Connection::ensureConnected()
{
    // An idle connection the server has closed shows up here, without
    // blocking: whatever is pending is read (the server's farewell, then the
    // end of the stream), and libpq marks the connection bad.
    if (conn_) {
        for (int i = 0; i < 3 && PQstatus(conn_.get()) == CONNECTION_OK && socketReadable(PQsocket(conn_.get())); ++i)
            PQconsumeInput(conn_.get());
        if (PQstatus(conn_.get()) != CONNECTION_OK)
            conn_.reset();
    }
    if (!conn_)
        conn_ = connect();
    return conn_.get();
}

void Connection::afterOperation()
{
    if (!conn_)
        return;
    if (settings_.idleCloseMs <= 0)
        disconnect();
    else
        idleTimer_.start(settings_.idleCloseMs);
}

Result Connection::execute(const QString& sql, const ParamList::Bound& params)
{
    PGconn* conn = ensureConnected();
    const QByteArray text = sql.toUtf8();
    Result result(PQexecParams(conn, text.constData(), int(params.pointers.size()), params.types.data(),
                               params.pointers.data(), nullptr, nullptr, 0));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return result;
    DbError error = result.get() ? DbError::fromResult(result.get(), conn) : DbError::fromConnection(conn);
    if (PQstatus(conn) != CONNECTION_OK) {
        conn_.reset();
        error = DbError(error.message(), error.sqlState(), true);
    }
    throw error;
}

Result Connection::read(const QString& sql, const ParamList::Bound& params)
{
    const ScopeExit done([this] { afterOperation(); });
    try {
        return execute(sql, params);
    } catch (const DbError& e) {
        if (!e.connectionLost())
            throw;
    }
    return execute(sql, params);
}

Result Connection::write(const QString& sql, const ParamList::Bound& params)
{
    const ScopeExit done([this] { afterOperation(); });
    return execute(sql, params);
}

void Connection::writeExactlyOne(const QString& sql, const ParamList::Bound& params)
{
    const ScopeExit done([this] { afterOperation(); });
    const ParamList::Bound none;
    execute(QStringLiteral("BEGIN"), none);
    int found = 0;
    try {
        found = execute(sql, params).affectedRows();
    } catch (...) {
        if (conn_)
            execute(QStringLiteral("ROLLBACK"), none);
        throw;
    }
    if (found != 1) {
        execute(QStringLiteral("ROLLBACK"), none);
        throw DbError(QStringLiteral("Update failed. Found %1 records").arg(found));
    }
    execute(QStringLiteral("COMMIT"), none);
}

} // namespace db
