#include "platform/db/NamedSql.h"

namespace db {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}
bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index just past a quoted run starting at i (the opening quote). A doubled
// quote stands for itself; with backslashEscapes (E'...') a backslash escapes.
qsizetype skipQuoted(const QString& s, qsizetype i, QChar quote, bool backslashEscapes)
{
    for (++i; i < s.size(); ++i) {
        if (backslashEscapes && s[i] == QLatin1Char('\\')) {
            ++i;
        } else if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote)
                ++i;
            else
                return i + 1;
        }
    }
    return s.size();
}

qsizetype skipBlockComment(const QString& s, qsizetype i)
{
    int depth = 0; // PostgreSQL block comments nest
    while (i < s.size()) {
        if (s.mid(i, 2) == QLatin1String("/*")) {
            ++depth;
            i += 2;
        } else if (s.mid(i, 2) == QLatin1String("*/")) {
            i += 2;
            if (--depth == 0)
                return i;
        } else {
            ++i;
        }
    }
    return s.size();
}

// $tag$ ... $tag$; returns i unchanged when the $ does not open a dollar quote.
qsizetype skipDollarQuoted(const QString& s, qsizetype i)
{
    qsizetype j = i + 1;
    while (j < s.size() && isNamePart(s[j]) && !s[j].isDigit())
        ++j;
    if (j >= s.size() || s[j] != QLatin1Char('$'))
        return i;
    const QString tag = s.mid(i, j - i + 1);
    const qsizetype end = s.indexOf(tag, j + 1);
    return end < 0 ? s.size() : end + tag.size();
}

} // namespace

NamedSql NamedSql::parse(const QString& sql)
{
    NamedSql out;
    out.text.reserve(sql.size());
    qsizetype i = 0;
    const auto copyTo = [&](qsizetype end) {
        out.text += sql.mid(i, end - i);
        i = end;
    };
    while (i < sql.size()) {
        const QChar c = sql[i];
        const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
        if (c == QLatin1Char('\'')) {
            const bool escapes = i > 0 && (sql[i - 1] == QLatin1Char('E') || sql[i - 1] == QLatin1Char('e')) &&
                                 (i < 2 || !isNamePart(sql[i - 2]));
            copyTo(skipQuoted(sql, i, c, escapes));
        } else if (c == QLatin1Char('"')) {
            copyTo(skipQuoted(sql, i, c, false));
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            const qsizetype eol = sql.indexOf(QLatin1Char('\n'), i);
            copyTo(eol < 0 ? sql.size() : eol);
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            copyTo(skipBlockComment(sql, i));
        } else if (c == QLatin1Char('$') && (i == 0 || !isNamePart(sql[i - 1]))) {
            const qsizetype end = skipDollarQuoted(sql, i);
            copyTo(end == i ? i + 1 : end);
        } else if (c == QLatin1Char(':') && next == QLatin1Char(':')) {
            copyTo(i + 2);
        } else if (c == QLatin1Char(':') && isNameStart(next)) {
            qsizetype end = i + 1;
            while (end < sql.size() && isNamePart(sql[end]))
                ++end;
            const QString name = sql.mid(i + 1, end - i - 1);
            qsizetype index = out.names.indexOf(name);
            if (index < 0) {
                out.names << name;
                index = out.names.size() - 1;
            }
            out.text += QLatin1Char('$') + QString::number(index + 1);
            i = end;
        } else {
            copyTo(i + 1);
        }
    }
    return out;
}

} // namespace db
