#include "platform/ui/DataGrid.h"

#include "platform/db/Query.h"

#include <QDate>
#include <QHeaderView>
#include <QLocale>

DatasetModel::DatasetModel(db::Query& query, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), query_(&query), columns_(std::move(columns))
{
    connect(&query, &db::Query::rowsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !query_ ? 0 : query_->rowCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!query_ || !index.isValid() || index.row() >= query_->rowCount())
        return {};
    if (role == Qt::BackgroundRole && rowBrush_) {
        const QBrush brush = rowBrush_(index.row());
        return brush.style() == Qt::NoBrush ? QVariant() : QVariant(brush);
    }
    if (role != Qt::DisplayRole)
        return {};
    const int column = query_->columnIndex(columns_[size_t(index.column())].field);
    if (column < 0)
        return {};
    const QVariant value = query_->value(index.row(), column);
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value;
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= int(columns_.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn& column = columns_[size_t(section)];
    return column.header.isEmpty() ? column.field : column.header;
}

void DatasetModel::setRowBrush(std::function<QBrush(int)> brush)
{
    beginResetModel();
    rowBrush_ = std::move(brush);
    endResetModel();
}

DataGrid::DataGrid(db::Query& query, std::vector<GridColumn> columns, QWidget* parent)
    : QTableView(parent), query_(&query), model_(query, std::move(columns), this)
{
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    for (size_t c = 0; c < model_.columns().size(); ++c) {
        if (model_.columns()[c].width > 0)
            setColumnWidth(int(c), model_.columns()[c].width);
    }

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (current.isValid() && query_)
            query_->setCurrentRow(current.row());
    });
    connect(&query, &db::Query::currentRowChanged, this, [this](int row) { followQuery(row); });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        if (query_)
            followQuery(query_->currentRow());
    });
}

void DataGrid::rebind()
{
    if (query_)
        followQuery(query_->currentRow());
    viewport()->update();
}

void DataGrid::followQuery(int row)
{
    if (row < 0 || row >= model_.rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    if (currentIndex().row() == row && selectionModel()->isRowSelected(row, {}))
        return;
    const QModelIndex index = model_.index(row, std::max(0, currentIndex().column()));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}
