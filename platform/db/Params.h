#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <libpq-fe.h>
#include <vector>

namespace db {

enum class ParamType { Text, Memo, Date, Timestamp, Bool, Int, Float };

// One :named parameter of a statement. Its declared type is sent to the
// server as the parameter's type, so "= :pDataDoc" compares dates as dates.
class Param {
public:
    Param(QString name, ParamType type) : name_(std::move(name)), type_(type) {}

    const QString& name() const { return name_; }
    ParamType type() const { return type_; }
    void setType(ParamType type) { type_ = type; }

    // A null QVariant sends SQL NULL; a QDateTime for a date sends its date.
    void setValue(const QVariant& value);
    void clear();
    bool isSet() const { return set_; }
    const QVariant& value() const { return value_; }

    Oid oid() const;
    // The value in PostgreSQL's text form; a null QByteArray for NULL.
    QByteArray encoded() const;

private:
    QString name_;
    ParamType type_;
    QVariant value_;
    bool set_ = false;
};

// The parameters of one statement, in $n order. Statements and queries both
// hold one; binding fails naming the first parameter left without a value.
class ParamList {
public:
    void reset(const QStringList& names);
    Param& operator[](const QString& name);
    const std::vector<Param>& all() const { return params_; }

    // Values ready for PQexecParams; owner names the statement in errors.
    struct Bound {
        std::vector<QByteArray> values;
        std::vector<const char*> pointers;
        std::vector<Oid> types;
    };
    Bound bind(const QString& owner) const;

private:
    std::vector<Param> params_;
};

} // namespace db
