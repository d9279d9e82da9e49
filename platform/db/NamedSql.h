#pragma once

#include <QString>
#include <QStringList>

namespace db {

// A statement written with :named parameters, turned into libpq's $n form.
// The same name twice is the same $n; names inside string literals, quoted
// identifiers, dollar quotes and comments are left alone, and so is a "::" cast.
struct NamedSql {
    QString text;      // the statement with $1, $2, ...
    QStringList names; // names[i] is $(i+1)

    static NamedSql parse(const QString& sql);
};

} // namespace db
