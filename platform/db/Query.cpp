#include "platform/db/Query.h"

#include "platform/db/DbError.h"
#include "platform/db/NamedSql.h"

#include <QByteArray>
#include <QRegularExpression>

#include <algorithm>

namespace db {

namespace {

// Built-in type OIDs (pg_type.dat), for columns no declaration covers.
FieldType typeOfOid(Oid oid)
{
    switch (oid) {
    case 16:
        return FieldType::Bool;
    case 20:
        return FieldType::Int64;
    case 21:
    case 23:
        return FieldType::Int32;
    case 700:
    case 701:
    case 1700:
        return FieldType::Float;
    case 1082:
        return FieldType::Date;
    case 1114:
    case 1184:
        return FieldType::Timestamp;
    default:
        return FieldType::Memo;
    }
}

QDateTime parseTimestamp(const QByteArray& text)
{
    // ISO output: "2024-03-05 14:07:09.5", maybe with an offset "+02" or "+05:30".
    QString s = QString::fromLatin1(text);
    s.replace(10, 1, QLatin1Char('T'));
    static const QRegularExpression shortOffset(QStringLiteral("([+-]\\d\\d)$"));
    s.replace(shortOffset, QStringLiteral("\\1:00"));
    return QDateTime::fromString(s, Qt::ISODateWithMs);
}

QVariant decode(const char* text, FieldType type)
{
    const QByteArray raw(text);
    switch (type) {
    case FieldType::Bool:
        return raw == "t";
    case FieldType::Int32:
    case FieldType::Int64:
        return raw.toLongLong();
    case FieldType::Float:
        return raw.toDouble();
    case FieldType::Date:
        return QDate::fromString(QString::fromLatin1(raw), Qt::ISODate);
    case FieldType::Timestamp:
        return parseTimestamp(raw);
    case FieldType::Text:
    case FieldType::Memo:
        return QString::fromUtf8(raw);
    }
    return QString::fromUtf8(raw);
}

ParamType paramTypeOf(FieldType type)
{
    switch (type) {
    case FieldType::Bool:
        return ParamType::Bool;
    case FieldType::Int32:
    case FieldType::Int64:
        return ParamType::Int;
    case FieldType::Float:
        return ParamType::Float;
    case FieldType::Date:
        return ParamType::Date;
    case FieldType::Timestamp:
        return ParamType::Timestamp;
    case FieldType::Text:
    case FieldType::Memo:
        return ParamType::Text;
    }
    return ParamType::Text;
}

QString quoted(const QString& identifier)
{
    QString inner = identifier;
    return QLatin1Char('"') + inner.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

QVariant Field::value() const
{
    return query_->currentValue(name_);
}

QDate Field::asDate() const
{
    const QVariant v = value();
    return v.metaType().id() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
}

void Field::setValue(const QVariant& value) const
{
    query_->setValue(name_, value);
}

Query::Query(QString name, Connection& connection) : name_(std::move(name)), connection_(&connection) {}

void Query::setSql(const QString& sql)
{
    sql_ = sql;
    const NamedSql parsed = NamedSql::parse(sql);
    parsedSql_ = parsed.text;
    params_.reset(parsed.names);
}

void Query::setParamType(const QString& name, ParamType type)
{
    params_[name].setType(type);
}

Field Query::declare(const FieldDef& def)
{
    declared_.push_back(def);
    return Field(*this, def.name);
}

void Query::declare(const std::vector<FieldDef>& defs)
{
    declared_.insert(declared_.end(), defs.begin(), defs.end());
}

void Query::setUpdateTable(const QString& table, const QStringList& keyColumns)
{
    updateTable_ = table;
    keyColumns_ = keyColumns;
}

void Query::fail(const QString& message) const
{
    throw DbError(name_ + QStringLiteral(": ") + message);
}

void Query::requireOpen() const
{
    if (!open_)
        fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void Query::requireRow() const
{
    requireOpen();
    if (current_ < 0)
        fail(QStringLiteral("Cannot perform this operation on an empty dataset"));
}

void Query::run()
{
    const Result result = connection_->read(parsedSql_, params_.bind(name_));

    std::vector<Column> columns;
    for (int c = 0; c < result.columns(); ++c)
        columns.push_back({result.columnName(c), typeOfOid(result.columnType(c))});
    for (const FieldDef& def : declared_) {
        auto column =
            std::find_if(columns.begin(), columns.end(), [&](const Column& col) { return col.name == def.name; });
        if (column == columns.end())
            throw DbError(QStringLiteral("%1: Field '%2' not found").arg(name_, def.name));
        *column = {def.name, def.type, def.size, def.readOnly(), true};
    }

    std::vector<std::vector<QVariant>> rows(size_t(result.rows()));
    for (int r = 0; r < result.rows(); ++r) {
        rows[size_t(r)].reserve(columns.size());
        for (int c = 0; c < result.columns(); ++c)
            rows[size_t(r)].push_back(result.isNull(r, c) ? QVariant()
                                                          : decode(result.value(r, c), columns[size_t(c)].type));
    }

    columns_ = std::move(columns);
    rows_ = std::move(rows);
    pending_.reset();
    open_ = true;
    // A refresh keeps the current position where the rows allow it.
    current_ = rows_.empty() ? -1 : std::clamp(current_, 0, rowCount() - 1);
    emit rowsChanged();
    emit currentRowChanged(current_);
}

void Query::open()
{
    if (open_)
        return;
    current_ = 0;
    run();
}

void Query::refresh()
{
    requireOpen();
    run();
}

void Query::close()
{
    if (!open_)
        return;
    open_ = false;
    rows_.clear();
    columns_.clear();
    pending_.reset();
    current_ = -1;
    emit rowsChanged();
    emit currentRowChanged(current_);
}

void Query::setCurrentRow(int row)
{
    const int next = rows_.empty() ? -1 : std::clamp(row, 0, rowCount() - 1);
    if (next == current_)
        return;
    current_ = next;
    emit currentRowChanged(current_);
}

int Query::columnIndex(const QString& column) const
{
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (columns_[c].name == column)
            return int(c);
    }
    return -1;
}

bool Query::locate(const QString& column, const QVariant& value)
{
    const int c = columnIndex(column);
    if (c < 0)
        return false;
    for (int r = 0; r < rowCount(); ++r) {
        if (rows_[size_t(r)][size_t(c)] == value) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

QVariant Query::currentValue(const QString& column) const
{
    const int c = columnIndex(column);
    if (c < 0) {
        if (open_)
            fail(QStringLiteral("Field '%1' not found").arg(column));
        return QVariant(); // a closed query reads as empty
    }
    if (pending_)
        return pending_->values[size_t(c)];
    return current_ < 0 ? QVariant() : rows_[size_t(current_)][size_t(c)];
}

void Query::append()
{
    requireOpen();
    pending_ = PendingRow{std::vector<QVariant>(columns_.size()), std::vector<bool>(columns_.size(), false)};
}

void Query::setValue(const QString& column, const QVariant& value)
{
    if (!pending_)
        fail(QStringLiteral("Dataset not in edit or insert mode"));
    const int c = columnIndex(column);
    if (c < 0)
        fail(QStringLiteral("Field '%1' not found").arg(column));
    const Column& col = columns_[size_t(c)];
    if (col.readOnly)
        fail(QStringLiteral("Field '%1' cannot be modified").arg(column));
    if (col.type == FieldType::Text && col.declared && !value.isNull() && value.toString().size() > col.size)
        fail(QStringLiteral("Value too long for field '%1': at most %2 characters").arg(column).arg(col.size));
    pending_->values[size_t(c)] = value;
    pending_->set[size_t(c)] = true;
}

void Query::post()
{
    if (!pending_)
        fail(QStringLiteral("Dataset not in edit or insert mode"));
    if (updateTable_.isEmpty())
        fail(QStringLiteral("Dataset is read-only"));
    // Only the fields that were set, so the server's defaults fill the rest.
    std::vector<size_t> setColumns;
    QStringList names, placeholders, paramNames;
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (!pending_->set[c])
            continue;
        setColumns.push_back(c);
        paramNames << columns_[c].name;
        names << quoted(columns_[c].name);
        placeholders << QLatin1Char('$') + QString::number(names.size());
    }
    ParamList params;
    params.reset(paramNames);
    for (size_t c : setColumns) {
        Param& param = params[columns_[c].name];
        param.setType(paramTypeOf(columns_[c].type));
        param.setValue(pending_->values[c]);
    }
    const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(updateTable_)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(updateTable_, names.join(QLatin1String(", ")),
                                                   placeholders.join(QLatin1String(", ")));
    connection_->write(sql, params.bind(name_));

    rows_.push_back(std::move(pending_->values));
    pending_.reset();
    current_ = rowCount() - 1;
    emit rowsChanged();
    emit currentRowChanged(current_);
}

void Query::cancel()
{
    pending_.reset();
}

void Query::deleteCurrent()
{
    requireRow();
    if (updateTable_.isEmpty() || keyColumns_.isEmpty())
        fail(QStringLiteral("Dataset is read-only"));
    QStringList conditions;
    ParamList params;
    params.reset(keyColumns_);
    for (const QString& key : keyColumns_) {
        const int c = columnIndex(key);
        if (c < 0)
            fail(QStringLiteral("Field '%1' not found").arg(key));
        Param& param = params[key];
        param.setType(paramTypeOf(columns_[size_t(c)].type));
        param.setValue(rows_[size_t(current_)][size_t(c)]);
        conditions << QStringLiteral("%1 = $%2").arg(quoted(key)).arg(conditions.size() + 1);
    }
    connection_->writeExactlyOne(
        QStringLiteral("DELETE FROM %1 WHERE %2").arg(updateTable_, conditions.join(QLatin1String(" AND "))),
        params.bind(name_));

    rows_.erase(rows_.begin() + current_);
    current_ = rows_.empty() ? -1 : std::min(current_, rowCount() - 1);
    emit rowsChanged();
    emit currentRowChanged(current_);
}

} // namespace db
