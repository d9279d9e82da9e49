#include "platform/db/Params.h"

#include "platform/Error.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

namespace db {

namespace {

// Type OIDs of the server's built-in types (pg_type.dat).
constexpr Oid kBool = 16, kInt8 = 20, kText = 25, kFloat8 = 701, kDate = 1082, kTimestamp = 1114;

QByteArray encodeDate(const QVariant& value)
{
    const QDate date = value.metaType().id() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
    if (!date.isValid())
        throw Error(QStringLiteral("Invalid date value: %1").arg(value.toString()));
    return date.toString(Qt::ISODate).toLatin1();
}

} // namespace

void Param::setValue(const QVariant& value)
{
    value_ = value;
    set_ = true;
}

void Param::clear()
{
    value_ = QVariant();
    set_ = false;
}

Oid Param::oid() const
{
    switch (type_) {
    case ParamType::Date:
        return kDate;
    case ParamType::Timestamp:
        return kTimestamp;
    case ParamType::Bool:
        return kBool;
    case ParamType::Int:
        return kInt8;
    case ParamType::Float:
        return kFloat8;
    case ParamType::Text:
    case ParamType::Memo:
        return kText;
    }
    return kText;
}

QByteArray Param::encoded() const
{
    if (value_.isNull())
        return QByteArray();
    switch (type_) {
    case ParamType::Date:
        return encodeDate(value_);
    case ParamType::Timestamp:
        return value_.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
    case ParamType::Bool:
        return value_.toBool() ? "t" : "f";
    case ParamType::Int:
        return QByteArray::number(value_.toLongLong());
    case ParamType::Float:
        return QByteArray::number(value_.toDouble(), 'g', 17);
    case ParamType::Text:
    case ParamType::Memo: {
        const QByteArray text = value_.toString().toUtf8();
        return text.isNull() ? QByteArray("", 0) : text; // empty text is '', not NULL
    }
    }
    return QByteArray();
}

void ParamList::reset(const QStringList& names)
{
    std::vector<Param> next;
    for (const QString& name : names) {
        // Keep declared types across a change of statement text.
        ParamType type = ParamType::Text;
        for (const Param& old : params_) {
            if (old.name() == name)
                type = old.type();
        }
        next.emplace_back(name, type);
    }
    params_ = std::move(next);
}

Param& ParamList::operator[](const QString& name)
{
    for (Param& param : params_) {
        if (param.name() == name)
            return param;
    }
    throw Error(QStringLiteral("Parameter '%1' not found").arg(name));
}

ParamList::Bound ParamList::bind(const QString& owner) const
{
    Bound bound;
    bound.values.reserve(params_.size());
    for (const Param& param : params_) {
        if (!param.isSet())
            throw Error(QStringLiteral("%1: parameter '%2' has no value").arg(owner, param.name()));
        bound.values.push_back(param.encoded());
        bound.types.push_back(param.oid());
    }
    for (const QByteArray& value : bound.values)
        bound.pointers.push_back(value.isNull() ? nullptr : value.constData());
    return bound;
}

} // namespace db
