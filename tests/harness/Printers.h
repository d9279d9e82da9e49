#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

// Readable failure output for Qt values.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '[' << list.join(", ").toStdString() << ']';
}
inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << v.typeName() << '(' << v.toString().toStdString() << ')';
}
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ')';
}
inline void PrintTo(const QSize& s, std::ostream* os)
{
    *os << "QSize(" << s.width() << ", " << s.height() << ')';
}
