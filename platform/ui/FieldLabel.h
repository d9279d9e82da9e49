#pragma once

#include <QString>

class QLabel;

namespace db {
class Query;
}

// Keeps a label showing one column of a query's current row (empty when
// there is none).
void bindLabel(QLabel& label, db::Query& query, const QString& column);
