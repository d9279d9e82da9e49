#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Params.h"

#include <QString>

namespace db {

// A parameterised statement that returns no rows (an UPDATE, an INSERT):
// executed as one write, committed on its own.
class SqlStatement {
public:
    SqlStatement(QString name, Connection& connection) : name_(std::move(name)), connection_(&connection) {}

    const QString& name() const { return name_; }
    void setSql(const QString& sql);
    void setParamType(const QString& name, ParamType type) { params_[name].setType(type); }
    Param& param(const QString& name) { return params_[name]; }

    // Returns the number of rows the statement touched.
    int execute();

private:
    QString name_;
    Connection* connection_;
    QString parsedSql_;
    ParamList params_;
};

} // namespace db
