#include "platform/ui/FieldLabel.h"

#include "platform/db/Query.h"

#include <QLabel>

void bindLabel(QLabel& label, db::Query& query, const QString& column)
{
    const auto show = [&label, &query, column] {
        const int c = query.columnIndex(column);
        const int row = query.currentRow();
        label.setText(c < 0 || row < 0 ? QString() : query.value(row, c).toString());
    };
    QObject::connect(&query, &db::Query::currentRowChanged, &label, show);
    QObject::connect(&query, &db::Query::rowsChanged, &label, show);
}
