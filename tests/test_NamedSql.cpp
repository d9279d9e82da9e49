#include "platform/db/NamedSql.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* sql;
    const char* text;
    QStringList names;
};
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.sql;
}

class NamedSqlTest : public ::testing::TestWithParam<Case> {};

TEST_P(NamedSqlTest, TurnsNamesIntoPositionalParameters)
{
    const Case& c = GetParam();
    const db::NamedSql parsed = db::NamedSql::parse(QString::fromUtf8(c.sql));
    EXPECT_EQ(parsed.text.toStdString(), c.text);
    EXPECT_EQ(parsed.names, c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NamedSqlTest,
    ::testing::Values(
        Case{"select 1", "select 1", {}}, Case{"where a = :pA and b = :pB", "where a = $1 and b = $2", {"pA", "pB"}},
        Case{"where d = :pDataDoc or s.d = :pDataDoc and t = :pTip",
             "where d = $1 or s.d = $1 and t = $2",
             {"pDataDoc", "pTip"}},
        Case{"select x::date, :p::text", "select x::date, $1::text", {"p"}},
        Case{"select ':notme', 'it''s :no', :yes", "select ':notme', 'it''s :no', $1", {"yes"}},
        Case{"select E'\\' :no', :yes", "select E'\\' :no', $1", {"yes"}},
        Case{"select \":quoted\" from t where a = :a", "select \":quoted\" from t where a = $1", {"a"}},
        Case{"select 1 -- :comment\nwhere a = :a", "select 1 -- :comment\nwhere a = $1", {"a"}},
        Case{"select /* :c /* nested :n */ :still */ :a", "select /* :c /* nested :n */ :still */ $1", {"a"}},
        Case{"select $$ :body $$, $t$ :x $t$, :a", "select $$ :body $$, $t$ :x $t$, $1", {"a"}},
        Case{"select a[1:2] from t where b = :b_2", "select a[1:2] from t where b = $1", {"b_2"}},
        Case{"select to_char(now(), 'HH24:MI:SS')", "select to_char(now(), 'HH24:MI:SS')", {}}));

} // namespace
