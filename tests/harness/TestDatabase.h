#pragma once

#include "platform/db/Connection.h"
#include "tests/harness/Printers.h"

#include <QString>
#include <QStringList>

// A server of the test cluster started by scripts/test (PGTEST_* variables).
struct TestServer {
    QString host;
    int port = 0;
    QString user;
    QString password;

    static TestServer main();  // SSL on
    static TestServer plain(); // SSL off
};

// A fresh database made from one of the cluster's templates (the contract
// loaded), dropped again when the test ends.
class TestDatabase {
public:
    explicit TestDatabase(const QString& templateName = QStringLiteral("tpl_company"),
                          TestServer server = TestServer::main());
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& name() const { return name_; }
    const TestServer& server() const { return server_; }
    db::ConnectionSettings settings() const;

    // Fixture SQL, several statements at once, as the owner.
    void exec(const QString& sql) const;
    // The first value of the first row ("" for NULL or no row).
    QString scalar(const QString& sql) const;
    int count(const QString& sql) const { return scalar(sql).toInt(); }

private:
    TestServer server_;
    QString name_;
};

// Runs sql on the named database of the server, outside any transaction.
void execOn(const TestServer& server, const QString& database, const QString& sql);
