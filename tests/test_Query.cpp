#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/db/SqlStatement.h"
#include "tests/harness/TestDatabase.h"

#include <gtest/gtest.h>

using db::FieldDef;
using db::FieldType;

namespace {

// Expects f to throw an Error whose message is exactly `message`.
template <typename F> void expectError(F f, const QString& message)
{
    try {
        f();
        ADD_FAILURE() << "no error, expected: " << message.toStdString();
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), message);
    }
}

class QueryTest : public ::testing::Test {
protected:
    TestDatabase database;
    db::Connection connection{QStringLiteral("con"), database.settings()};
};

TEST_F(QueryTest, DateParameterComparesAsADateAndRepeatedNamesShareOneValue)
{
    database.exec(QStringLiteral("insert into doc (data_doc, tip_doc, nr_doc) values "
                                 "('2024-03-05', 'NIR', '1'), ('2024-03-06', 'NIR', '2');"
                                 "alter database %1 set datestyle = 'SQL, DMY';")
                      .arg(database.name()));
    db::Query q(QStringLiteral("dsDoc"), connection);
    q.setSql(QStringLiteral("select data_doc, nr_doc from doc where data_doc = :pDataDoc or data_doc = :pDataDoc + 1 "
                            "order by data_doc"));
    q.setParamType(QStringLiteral("pDataDoc"), db::ParamType::Date);
    const db::Field dataDoc = q.declare(FieldDef::of(QStringLiteral("data_doc"), FieldType::Date));
    // The time of day of a date-and-time value is dropped.
    q.param(QStringLiteral("pDataDoc")).setValue(QDateTime(QDate(2024, 3, 5), QTime(23, 59)));
    q.open();

    ASSERT_EQ(q.rowCount(), 2);
    EXPECT_EQ(dataDoc.asDate(), QDate(2024, 3, 5)); // read in ISO whatever the server's default style
    q.setCurrentRow(1);
    EXPECT_EQ(dataDoc.asDate(), QDate(2024, 3, 6));
}

TEST_F(QueryTest, NullReadsAsEmptyTextZeroOrFalseAndValuesRoundTrip)
{
    db::Query q(QStringLiteral("dsValues"), connection);
    q.setSql(QStringLiteral("select null::text as t, null::float8 as f, null::bool as b, null::int as i, "
                            "0.1::float8 + 0.2 as exact, 'ăîșț'::text as u, true as yes, "
                            "'2024-03-05 14:07:09.5'::timestamp as ts"));
    const db::Field t = q.declare(FieldDef::text(QStringLiteral("t"), 10));
    const db::Field f = q.declare(FieldDef::of(QStringLiteral("f"), FieldType::Float));
    const db::Field b = q.declare(FieldDef::of(QStringLiteral("b"), FieldType::Bool));
    const db::Field i = q.declare(FieldDef::of(QStringLiteral("i"), FieldType::Int32));
    const db::Field exact = q.declare(FieldDef::of(QStringLiteral("exact"), FieldType::Float));
    const db::Field u = q.declare(FieldDef::of(QStringLiteral("u"), FieldType::Memo));
    const db::Field yes = q.declare(FieldDef::of(QStringLiteral("yes"), FieldType::Bool));
    const db::Field ts = q.declare(FieldDef::of(QStringLiteral("ts"), FieldType::Timestamp));
    q.open();

    EXPECT_TRUE(t.isNull());
    EXPECT_EQ(t.asString(), QString());
    EXPECT_EQ(f.asFloat(), 0.0);
    EXPECT_FALSE(b.asBool());
    EXPECT_EQ(i.asInt(), 0);
    EXPECT_EQ(exact.asFloat(), 0.1 + 0.2);
    EXPECT_EQ(u.asString(), QStringLiteral("ăîșț"));
    EXPECT_TRUE(yes.asBool());
    EXPECT_EQ(ts.asDateTime(), QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 500)));
}

TEST_F(QueryTest, OpeningFailsNamingAMissingDeclaredColumn)
{
    db::Query q(QStringLiteral("dsArticol"), connection);
    q.setSql(QStringLiteral("select articol, cod_bare from articol"));
    q.declare({FieldDef::text(QStringLiteral("articol"), 200), FieldDef::text(QStringLiteral("locatie_linie"), 10)});
    expectError([&] { q.open(); }, QStringLiteral("dsArticol: Field 'locatie_linie' not found"));
    EXPECT_FALSE(q.isOpen());
}

TEST_F(QueryTest, AParameterLeftUnsetIsNamed)
{
    db::Query q(QStringLiteral("dsX"), connection);
    q.setSql(QStringLiteral("select :pA::text as a, :pB::text as b"));
    q.param(QStringLiteral("pA")).setValue(QStringLiteral("x"));
    expectError([&] { q.open(); }, QStringLiteral("dsX: parameter 'pB' has no value"));
}

TEST_F(QueryTest, ClosedAndEmptyDatasetsRefuseRowOperations)
{
    db::Query q(QStringLiteral("dsLocatieArticole"), connection);
    q.setSql(QStringLiteral("select locatie, articol from locatie_art"));
    q.setUpdateTable(QStringLiteral("locatie_art"), {QStringLiteral("locatie"), QStringLiteral("articol")});
    const QString closed = QStringLiteral("dsLocatieArticole: Cannot perform this operation on a closed dataset");
    expectError([&] { q.refresh(); }, closed);
    expectError([&] { q.deleteCurrent(); }, closed);
    expectError([&] { q.append(); }, closed);
    q.open();
    EXPECT_TRUE(q.isEmpty());
    expectError([&] { q.deleteCurrent(); },
                QStringLiteral("dsLocatieArticole: Cannot perform this operation on an empty dataset"));
}

TEST_F(QueryTest, PostInsertsOnlyTheFieldsThatWereSet)
{
    db::Query q(QStringLiteral("dsDocPozMarfaTM"), connection);
    q.setSql(QStringLiteral("select *\nfrom doc_poz_marfa_tm\nwhere false\n;"));
    q.declare({FieldDef::text(QStringLiteral("id_tranz"), 30),
               FieldDef::of(QStringLiteral("data_doc"), FieldType::Date), FieldDef::text(QStringLiteral("tip_doc"), 7),
               FieldDef::text(QStringLiteral("nr_doc"), 15), FieldDef::text(QStringLiteral("cod_bare"), 48),
               FieldDef::of(QStringLiteral("cant"), FieldType::Float), FieldDef::text(QStringLiteral("emitent"), 100),
               FieldDef::text(QStringLiteral("id_terminal"), 50)});
    q.setUpdateTable(QStringLiteral("doc_poz_marfa_tm"));
    q.open();
    q.append();
    q.setValue(QStringLiteral("data_doc"), QDate(2024, 3, 5));
    q.setValue(QStringLiteral("tip_doc"), QStringLiteral("NIR"));
    q.setValue(QStringLiteral("nr_doc"), QStringLiteral("7"));
    q.setValue(QStringLiteral("cod_bare"), QStringLiteral(" 0042 '; drop table doc; --"));
    q.setValue(QStringLiteral("cant"), 2.5);
    q.setValue(QStringLiteral("emitent"), QStringLiteral("ana"));
    q.post();

    EXPECT_EQ(database.scalar(QStringLiteral(
                  "select concat_ws('|', id_tranz is not null, data_doc, tip_doc, nr_doc, cod_bare, cant, emitent, "
                  "coalesce(id_terminal, 'null')) from doc_poz_marfa_tm")),
              QStringLiteral("t|2024-03-05|NIR|7| 0042 '; drop table doc; --|2.5|ana|null"));
    EXPECT_EQ(q.rowCount(), 1);
    EXPECT_FALSE(q.isAppending());
}

TEST_F(QueryTest, AValueLongerThanItsColumnFailsBeforeAnythingIsSent)
{
    db::Query q(QStringLiteral("dsDocPozMarfaTM"), connection);
    q.setSql(QStringLiteral("select * from doc_poz_marfa_tm where false"));
    const db::Field codBare = q.declare(FieldDef::text(QStringLiteral("cod_bare"), 48, db::Required));
    q.setUpdateTable(QStringLiteral("doc_poz_marfa_tm"));
    q.open();
    q.append();
    codBare.setValue(QString(48, QLatin1Char('1')));
    expectError([&] { codBare.setValue(QString(49, QLatin1Char('1'))); },
                QStringLiteral("dsDocPozMarfaTM: Value too long for field 'cod_bare': at most 48 characters"));
    q.cancel();
    EXPECT_FALSE(q.isAppending());
    EXPECT_EQ(database.count(QStringLiteral("select count(*) from doc_poz_marfa_tm")), 0);
}

TEST_F(QueryTest, ServerRefusalShowsTheTriggersOwnWords)
{
    database.exec(QStringLiteral(
        "create function refuse() returns trigger language plpgsql as $$ begin "
        "raise exception 'Barcode % is not on document %', new.cod_bare, new.nr_doc "
        "using detail = 'line closed', hint = 'scan another item'; end $$;"
        "create trigger refuse before insert on doc_poz_marfa_tm for each row execute function refuse();"));
    db::SqlStatement insert(QStringLiteral("PgSQLx"), connection);
    insert.setSql(QStringLiteral("insert into doc_poz_marfa_tm (data_doc, tip_doc, nr_doc, cod_bare, cant, emitent) "
                                 "values (:d, 'NIR', :n, :c, 1, 'ana')"));
    insert.setParamType(QStringLiteral("d"), db::ParamType::Date);
    insert.param(QStringLiteral("d")).setValue(QDate(2024, 3, 5));
    insert.param(QStringLiteral("n")).setValue(QStringLiteral("7"));
    insert.param(QStringLiteral("c")).setValue(QStringLiteral("BAD"));
    try {
        insert.execute();
        FAIL() << "the trigger should refuse";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Barcode BAD is not on document 7\nline closed\nscan another item"));
        EXPECT_EQ(e.sqlState(), QStringLiteral("P0001"));
        EXPECT_FALSE(e.connectionLost());
    }
}

TEST_F(QueryTest, DeleteCurrentRemovesExactlyOneRowOrNothing)
{
    database.exec(QStringLiteral("create table pairs (locatie text, articol text);"
                                 "insert into pairs values ('L1', 'A'), ('L1', 'A'), ('L2', 'B');"));
    db::Query q(QStringLiteral("dsPairs"), connection);
    q.setSql(QStringLiteral("select locatie, articol from pairs order by locatie"));
    q.setUpdateTable(QStringLiteral("pairs"), {QStringLiteral("locatie"), QStringLiteral("articol")});
    q.open();

    expectError([&] { q.deleteCurrent(); }, QStringLiteral("Update failed. Found 2 records"));
    EXPECT_EQ(database.count(QStringLiteral("select count(*) from pairs")), 3);
    EXPECT_EQ(q.rowCount(), 3);

    ASSERT_TRUE(q.locate(QStringLiteral("locatie"), QStringLiteral("L2")));
    q.deleteCurrent();
    EXPECT_EQ(database.scalar(QStringLiteral("select string_agg(locatie || articol, ',') from pairs")),
              QStringLiteral("L1A,L1A"));
    EXPECT_EQ(q.rowCount(), 2);
    EXPECT_EQ(q.currentRow(), 1);

    // The row went away under us: found 0, nothing deleted, still usable.
    database.exec(QStringLiteral("delete from pairs"));
    expectError([&] { q.deleteCurrent(); }, QStringLiteral("Update failed. Found 0 records"));
    q.refresh();
    EXPECT_TRUE(q.isEmpty());
}

TEST_F(QueryTest, RefreshKeepsThePositionAndSeesNewRows)
{
    database.exec(QStringLiteral("insert into moneda values ('EUR', false), ('RON', false);"));
    db::Query q(QStringLiteral("dsMoneda"), connection);
    q.setSql(QStringLiteral("select moneda from moneda order by moneda"));
    q.open();
    q.setCurrentRow(1);
    database.exec(QStringLiteral("insert into moneda values ('USD', false);"));
    q.open(); // already open: nothing happens
    EXPECT_EQ(q.rowCount(), 2);
    q.refresh();
    EXPECT_EQ(q.rowCount(), 3);
    EXPECT_EQ(q.currentValue(QStringLiteral("moneda")), QVariant(QStringLiteral("RON")));
    EXPECT_FALSE(q.locate(QStringLiteral("moneda"), QStringLiteral("usd")));
    EXPECT_TRUE(q.locate(QStringLiteral("moneda"), QStringLiteral("USD")));
    EXPECT_EQ(q.currentRow(), 2);
    q.close();
    EXPECT_EQ(q.currentValue(QStringLiteral("moneda")), QVariant());
}

} // namespace
