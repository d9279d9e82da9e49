#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/db/SqlStatement.h"
#include "tests/harness/TestDatabase.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class ConnectionTest : public ::testing::Test {
protected:
    TestDatabase database;
    db::Connection connection{QStringLiteral("conNuv"), database.settings()};

    QString readOne(const QString& sql)
    {
        db::Query q(QStringLiteral("dsRead"), connection);
        q.setSql(sql);
        q.open();
        return q.value(0, 0).toString();
    }

    db::DbError writeError(const QString& sql)
    {
        db::SqlStatement statement(QStringLiteral("PgSQLw"), connection);
        statement.setSql(sql);
        try {
            statement.execute();
        } catch (const db::DbError& e) {
            return e;
        }
        ADD_FAILURE() << "no error from " << sql.toStdString();
        return db::DbError(QString());
    }

    void terminateOurBackend()
    {
        const int pid = connection.backendPid();
        ASSERT_NE(pid, 0);
        database.exec(QStringLiteral("select pg_terminate_backend(%1)").arg(pid));
        // The backend is gone once the server no longer lists it.
        for (int i = 0;
             i < 100 &&
             database.count(QStringLiteral("select count(*) from pg_stat_activity where pid = %1").arg(pid)) > 0;
             ++i)
            QTest::qWait(20);
    }
};

TEST_F(ConnectionTest, OpensOnFirstUseAndNamesItselfToTheServer)
{
    EXPECT_FALSE(connection.isConnected());
    EXPECT_EQ(readOne(QStringLiteral("select current_setting('application_name')")), QStringLiteral("mwmskt"));
    EXPECT_TRUE(connection.isConnected());
    EXPECT_EQ(readOne(QStringLiteral("select current_setting('DateStyle')")), QStringLiteral("ISO, MDY"));
}

TEST_F(ConnectionTest, AReadOnAConnectionKilledByTheServerIsRepliedOnAFreshOne)
{
    readOne(QStringLiteral("select 1"));
    const int before = connection.backendPid();
    terminateOurBackend();
    EXPECT_EQ(readOne(QStringLiteral("select 42")), QStringLiteral("42"));
    EXPECT_NE(connection.backendPid(), before);
}

TEST_F(ConnectionTest, AReadThatBreaksTheConnectionIsRetriedOnceOnly)
{
    database.exec(QStringLiteral("create sequence tries;"));
    db::Query q(QStringLiteral("dsDies"), connection);
    q.setSql(QStringLiteral("select nextval('tries') from pg_terminate_backend(pg_backend_pid())"));
    try {
        q.open();
        FAIL() << "the server should have closed the connection";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.connectionLost());
        EXPECT_TRUE(e.sqlState().isEmpty());
    }
    EXPECT_EQ(database.scalar(QStringLiteral("select last_value from tries")), QStringLiteral("2"));
    EXPECT_EQ(readOne(QStringLiteral("select 'back'")), QStringLiteral("back"));
}

TEST_F(ConnectionTest, AWriteWhoseConnectionBreaksIsNeverSentAgain)
{
    database.exec(QStringLiteral("create sequence tries; create table t (n bigint);"));
    const db::DbError error =
        writeError(QStringLiteral("insert into t select nextval('tries') from pg_terminate_backend(pg_backend_pid())"));
    EXPECT_TRUE(error.connectionLost());
    EXPECT_FALSE(error.message().isEmpty());
    EXPECT_EQ(database.scalar(QStringLiteral("select last_value from tries")), QStringLiteral("1"));
    EXPECT_FALSE(connection.isConnected());
}

TEST_F(ConnectionTest, AWriteAfterTheServerClosedAnIdleConnectionGoesThroughOnAFreshOne)
{
    database.exec(QStringLiteral("create table t (n int);"));
    readOne(QStringLiteral("select 1"));
    terminateOurBackend();
    db::SqlStatement insert(QStringLiteral("PgSQLi"), connection);
    insert.setSql(QStringLiteral("insert into t values (1)"));
    EXPECT_EQ(insert.execute(), 1);
    EXPECT_EQ(database.count(QStringLiteral("select count(*) from t")), 1);
}

TEST_F(ConnectionTest, ClosesWhenIdle)
{
    connection.setIdleCloseMs(0);
    readOne(QStringLiteral("select 1"));
    EXPECT_FALSE(connection.isConnected());

    connection.setIdleCloseMs(50);
    readOne(QStringLiteral("select 1"));
    EXPECT_TRUE(connection.isConnected());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !connection.isConnected(); }, 5000));
}

TEST_F(ConnectionTest, RetargetingClosesTheOpenConnection)
{
    readOne(QStringLiteral("select 1"));
    connection.setDatabase(database.name());
    EXPECT_TRUE(connection.isConnected());
    TestDatabase other;
    connection.setDatabase(other.name());
    EXPECT_FALSE(connection.isConnected());
    EXPECT_EQ(readOne(QStringLiteral("select current_database()")), other.name());
}

TEST_F(ConnectionTest, SslRequiredUsesSslOrFailsWithTheQuotedMessage)
{
    connection.setSslMode(QStringLiteral("require"));
    EXPECT_EQ(readOne(QStringLiteral("select ssl from pg_stat_ssl where pid = pg_backend_pid()")),
              QStringLiteral("true"));

    TestDatabase plain(QStringLiteral("tpl_company"), TestServer::plain());
    db::ConnectionSettings settings = plain.settings();
    settings.sslMode = QStringLiteral("require");
    db::Connection refused(QStringLiteral("conNuvMob"), settings);
    db::Query q(QStringLiteral("dsNuvMobil"), refused);
    q.setSql(QStringLiteral("select 1"));
    try {
        q.open();
        FAIL() << "a server without SSL must be refused";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("SSL connection is not allowed"));
    }
}

TEST_F(ConnectionTest, ConnectFailuresAreReportedAndNotRetried)
{
    struct Case {
        const char* what;
        db::ConnectionSettings settings;
        const char* contains;
    };
    db::ConnectionSettings wrongPassword = database.settings();
    wrongPassword.password = QStringLiteral("wrong");
    db::ConnectionSettings noServer = database.settings();
    noServer.port = 1;
    db::ConnectionSettings unusable = database.settings();
    unusable.unusableReason = QStringLiteral("The setting database/password is missing from /x/mwmskt.ini");
    for (const Case& c : {Case{"wrong password", wrongPassword, "password authentication failed for user \"nuv\""},
                          Case{"nothing listening", noServer, "Connection refused"},
                          Case{"not configured", unusable, "database/password is missing"}}) {
        SCOPED_TRACE(c.what);
        db::Connection con(QStringLiteral("con"), c.settings);
        db::Query q(QStringLiteral("dsX"), con);
        q.setSql(QStringLiteral("select 1"));
        try {
            q.open();
            ADD_FAILURE() << "connected";
        } catch (const db::DbError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.contains))) << e.message().toStdString();
            EXPECT_FALSE(e.message().startsWith(QLatin1String("FATAL"))) << e.message().toStdString();
            EXPECT_FALSE(e.connectionLost());
        }
        EXPECT_FALSE(con.isConnected());
    }
}

} // namespace
