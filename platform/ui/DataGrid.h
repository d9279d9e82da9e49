#pragma once

#include <QAbstractTableModel>
#include <QBrush>
#include <QPointer>
#include <QString>
#include <QTableView>

#include <functional>
#include <vector>

namespace db {
class Query;
}

struct GridColumn {
    QString field;
    QString header; // empty: the field's name
    int width = 0;  // 0: the view's default
};

// The rows of one query, for a grid. Created once; it resets itself whenever
// the query's rows change, so a grid never shows rows the query no longer has.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DatasetModel(db::Query& query, std::vector<GridColumn> columns, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Colours a row's background; an invalid brush leaves it plain.
    void setRowBrush(std::function<QBrush(int row)> brush);
    const std::vector<GridColumn>& columns() const { return columns_; }

private:
    // A screen's own queries go before its widgets do.
    QPointer<db::Query> query_;
    std::vector<GridColumn> columns_;
    std::function<QBrush(int)> rowBrush_;
};

// A read-only grid over a query: whole rows, single selection, alternating
// colours. Its current row and the query's follow each other.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(db::Query& query, std::vector<GridColumn> columns, QWidget* parent);

    DatasetModel& dataset() { return model_; }
    // Shows the query's rows again, e.g. after it was refreshed.
    void rebind();

private:
    void followQuery(int row);

    QPointer<db::Query> query_;
    DatasetModel model_;
};
