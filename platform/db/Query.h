#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Field.h"
#include "platform/db/Params.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace db {

class Query;

// A declared result column of a query, read from (or, while appending,
// written to) the query's current row. NULL reads as empty text, 0 or false.
class Field {
public:
    Field(Query& query, QString name) : query_(&query), name_(std::move(name)) {}

    const QString& name() const { return name_; }
    QVariant value() const;
    bool isNull() const { return value().isNull(); }
    QString asString() const { return value().toString(); }
    double asFloat() const { return value().toDouble(); }
    qint64 asInt() const { return value().toLongLong(); }
    bool asBool() const { return value().toBool(); }
    QDate asDate() const;
    QDateTime asDateTime() const { return value().toDateTime(); }
    void setValue(const QVariant& value) const;

private:
    Query* query_;
    QString name_;
};

// A dataset over one statement: opening fetches every row at once, so the
// connection is free again as soon as open() returns.
class Query : public QObject {
    Q_OBJECT
public:
    Query(QString name, Connection& connection);

    const QString& name() const { return name_; }
    Connection& connection() const { return *connection_; }

    void setSql(const QString& sql);
    const QString& sql() const { return sql_; }
    void setParamType(const QString& name, ParamType type);
    Param& param(const QString& name) { return params_[name]; }

    Field declare(const FieldDef& def);
    void declare(const std::vector<FieldDef>& defs);
    const std::vector<FieldDef>& declared() const { return declared_; }
    // Where post() inserts and deleteCurrent() deletes, and by which columns.
    void setUpdateTable(const QString& table, const QStringList& keyColumns = {});

    // open() on an open query does nothing; refresh() re-runs it with the
    // current parameters and fails on a closed one.
    void open();
    void refresh();
    void close();
    bool isOpen() const { return open_; }
    bool isEmpty() const { return rows_.empty(); }
    int rowCount() const { return int(rows_.size()); }
    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    // Makes the first row whose column equals value current; false if none.
    bool locate(const QString& column, const QVariant& value);

    int columnCount() const { return int(columns_.size()); }
    int columnIndex(const QString& column) const;
    QString columnName(int column) const { return columns_[size_t(column)].name; }
    QVariant value(int row, int column) const { return rows_[size_t(row)][size_t(column)]; }
    // The current row's value (the pending row's while appending).
    QVariant currentValue(const QString& column) const;

    void append();
    bool isAppending() const { return pending_.has_value(); }
    void setValue(const QString& column, const QVariant& value);
    void post();
    void cancel();
    void deleteCurrent();

signals:
    // The rows were replaced, added or removed: views reset themselves.
    void rowsChanged();
    void currentRowChanged(int row);

private:
    struct Column {
        QString name;
        FieldType type;
        int size = 0;
        bool readOnly = false;
        bool declared = false;
    };
    struct PendingRow {
        std::vector<QVariant> values;
        std::vector<bool> set;
    };

    void run();
    void requireOpen() const;
    void requireRow() const;
    [[noreturn]] void fail(const QString& message) const;

    QString name_;
    Connection* connection_;
    QString sql_;
    QString parsedSql_;
    ParamList params_;
    std::vector<FieldDef> declared_;
    QString updateTable_;
    QStringList keyColumns_;

    bool open_ = false;
    std::vector<Column> columns_;
    std::vector<std::vector<QVariant>> rows_;
    int current_ = -1;
    std::optional<PendingRow> pending_;
};

} // namespace db
