#pragma once

#include <QString>

#include <libpq-fe.h>
#include <memory>

namespace db {

// Owns one PGresult.
class Result {
public:
    Result() = default;
    explicit Result(PGresult* result) : result_(result) {}

    const PGresult* get() const { return result_.get(); }
    int rows() const { return PQntuples(result_.get()); }
    int columns() const { return PQnfields(result_.get()); }
    QString columnName(int column) const { return QString::fromUtf8(PQfname(result_.get(), column)); }
    Oid columnType(int column) const { return PQftype(result_.get(), column); }
    bool isNull(int row, int column) const { return PQgetisnull(result_.get(), row, column) != 0; }
    const char* value(int row, int column) const { return PQgetvalue(result_.get(), row, column); }
    // Rows touched by an INSERT, UPDATE or DELETE.
    int affectedRows() const;

private:
    struct Clear {
        void operator()(PGresult* result) const { PQclear(result); }
    };
    std::unique_ptr<PGresult, Clear> result_;
};

} // namespace db
