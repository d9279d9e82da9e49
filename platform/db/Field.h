#pragma once

#include <QString>

namespace db {

enum class FieldType { Text, Memo, Bool, Date, Timestamp, Int32, Int64, Float };

enum FieldFlag { Plain = 0, Required = 1, ReadOnly = 2 };

// A result column a query expects: opening the query fails when the server's
// result lacks it, and its type decides how values are read and written.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 20; // characters, for Text
    int flags = Plain;

    bool required() const { return flags & Required; }
    bool readOnly() const { return flags & ReadOnly; }

    static FieldDef text(const QString& name, int size = 20, int flags = Plain)
    {
        return {name, FieldType::Text, size, flags};
    }
    static FieldDef of(const QString& name, FieldType type, int flags = Plain) { return {name, type, 0, flags}; }
};

} // namespace db
