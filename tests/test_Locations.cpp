#include "data/u_dmCon.h"
#include "locations/u_mLocatiiMagArt.h"
#include "platform/ui/ConfirmEdit.h"
#include "platform/ui/DataGrid.h"
#include "tests/harness/AppFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Operator Ana of work point PL1. Warehouses: M1 and M7 eligible; M2 of
// another work point, M3 discontinued, M4 a reservation warehouse, M5 and
// M6 with empty flags. Bere and Bors share barcode B2.
const char* const kCompany = R"sql(
insert into emitent (emitent, operator_parola, eu_punct_lucru) values ('Ana', 'pw', 'PL1');
insert into magazie values ('M1', 'PL1', false, 'marfa'), ('M2', 'PL2', false, 'marfa'), ('M3', 'PL1', true, 'marfa'),
  ('M4', 'PL1', false, 'rezervare'), ('M5', 'PL1', null, 'marfa'), ('M6', 'PL1', false, null), ('M7', 'PL1', false, 'marfa');
insert into locatie values ('L1', 'M1'), ('L2', 'M2'), ('L3', 'M3'), ('L4', 'M4'), ('L5', 'M5'), ('L6', 'M6'), ('L7', 'M7'),
  ('L8', 'M1');
insert into articol (articol, cod_bare, da_nu_stocabil) values ('Apa', 'B1', true), ('Bere', 'B2', true),
  ('Bors', 'B2', true), ('Cafea', 'B3', true);
insert into locatie_art values ('L1', 'Apa'), ('L1', 'Bere'), ('L2', 'Apa'), ('L3', 'Apa'), ('L4', 'Apa'), ('L5', 'Apa'),
  ('L6', 'Apa'), ('L7', 'Bors'), ('L8', 'Apa');
)sql";

class LocationsTest : public ::testing::Test {
protected:
    AppFixture f;
    TmLocatiiMagArt& screen = *f.app().mLocatiiMagArt;

    void SetUp() override
    {
        f.company.exec(QString::fromUtf8(kCompany));
        f.targetCompany();
        f.app().dmCon->glUser = QStringLiteral("Ana");
        screen.show();
    }

    void clickTab(int tab)
    {
        QTabBar* bar = screen.TabControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    }
    static void type(ConfirmEdit* edit, const QString& text)
    {
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static QStringList rows(const DataGrid* grid)
    {
        QStringList out;
        const QAbstractItemModel& model = *grid->model();
        for (int r = 0; r < model.rowCount(); ++r)
            out << model.index(r, 0).data().toString() + QLatin1Char('|') + model.index(r, 1).data().toString();
        return out;
    }
    QString links() const
    {
        return f.company.scalar(QStringLiteral(
            "select string_agg(locatie || '/' || articol, ',' order by locatie, articol) from locatie_art"));
    }
    void add(const QString& location, const QString& barcode)
    {
        clickTab(2);
        screen.EditL->setText(location);
        screen.EditCB->setText(barcode);
        QTest::mouseClick(screen.Button3, Qt::LeftButton);
    }
};

struct Lookup {
    const char* searched;
    QStringList rows;
    const char* first; // labels of the current row
    const char* second;
};
void PrintTo(const Lookup& c, std::ostream* os)
{
    *os << c.searched;
}

class LocationLookupTest : public LocationsTest, public ::testing::WithParamInterface<Lookup> {};

TEST_P(LocationLookupTest, ShowsWhatAnEligibleLocationHolds)
{
    type(screen.EditLocatie, QString::fromLatin1(GetParam().searched));
    EXPECT_EQ(rows(screen.StringGridLocatie), GetParam().rows);
    EXPECT_EQ(screen.lblT1Locatie->text(), QString::fromLatin1(GetParam().first));
    EXPECT_EQ(screen.lblT1Mag->text(), QString::fromLatin1(GetParam().second));
    EXPECT_TRUE(screen.EditLocatie->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Locations, LocationLookupTest,
                         ::testing::Values(Lookup{"L1", {"Apa|B1", "Bere|B2"}, "L1", "M1"},
                                           Lookup{"L2", {}, "", ""}, // another work point
                                           Lookup{"L3", {}, "", ""}, // discontinued
                                           Lookup{"L4", {}, "", ""}, // reservation
                                           Lookup{"L5", {}, "", ""}, // discontinued empty
                                           Lookup{"L6", {}, "", ""}, // kind empty
                                           Lookup{"l1", {}, "", ""}, Lookup{"L9", {}, "", ""}));

class ArticleLookupTest : public LocationsTest, public ::testing::WithParamInterface<Lookup> {};

TEST_P(ArticleLookupTest, ShowsWhereAnArticleIsStored)
{
    clickTab(1);
    type(screen.EditCodBare, QString::fromLatin1(GetParam().searched));
    EXPECT_EQ(rows(screen.StringGridArticol), GetParam().rows);
    EXPECT_EQ(screen.lblT2CodBare->text(), QString::fromLatin1(GetParam().first));
    EXPECT_EQ(screen.lblT2Articol->text(), QString::fromLatin1(GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(Barcodes, ArticleLookupTest,
                         ::testing::Values(Lookup{"B1", {"M1|L1", "M1|L8"}, "B1", "Apa"},
                                           Lookup{"B2", {"M1|L1", "M7|L7"}, "B2", "Bere"}, // shared by two
                                           Lookup{"b1", {}, "", ""}, Lookup{"B3", {}, "", ""}));

TEST_F(LocationsTest, TheLabelsFollowTheSelectedRow)
{
    EXPECT_EQ(screen.lblT1Locatie->text(), QStringLiteral("-"));
    type(screen.EditLocatie, QStringLiteral("L1"));
    EXPECT_EQ(screen.Label1->text(), QStringLiteral("Apa"));
    screen.StringGridLocatie->selectRow(1);
    EXPECT_EQ(screen.Label1->text(), QStringLiteral("Bere"));
    EXPECT_EQ(screen.dsLocatieArticole.currentRow(), 1);
}

TEST_F(LocationsTest, AddingRefusesEmptyFieldsAndWhatTheServerRefuses)
{
    screen.lblMesaj->setText(QStringLiteral("before"));
    struct Case {
        const char* location;
        const char* barcode;
        const char* message; // how the error box begins
    };
    for (const Case& c : {Case{"", "B1", "Completati locatia."}, Case{"L8", "", "Completati cod bare."},
                          Case{"L8", "NOPE", "null value in column \"articol\""},
                          Case{"L1", "B1", "duplicate key value violates unique constraint"},
                          Case{"L8", "B2", "more than one row returned by a subquery"}}) {
        SCOPED_TRACE(c.barcode);
        add(QString::fromLatin1(c.location), QString::fromLatin1(c.barcode));
        ASSERT_FALSE(f.errors().isEmpty());
        EXPECT_TRUE(f.errors().back().startsWith(QString::fromLatin1(c.message))) << f.errors().back().toStdString();
        // Tab clicks empty the status line; what was typed stays for a correction.
        EXPECT_TRUE(screen.lblMesaj->text().isEmpty());
    }
    EXPECT_EQ(links(), QStringLiteral("L1/Apa,L1/Bere,L2/Apa,L3/Apa,L4/Apa,L5/Apa,L6/Apa,L7/Bors,L8/Apa"));
}

TEST_F(LocationsTest, ARefusedAdditionLeavesTheStatusLineAsItWas)
{
    add(QStringLiteral("L8"), QStringLiteral("B3"));
    EXPECT_EQ(screen.lblMesaj->text(), QStringLiteral("  Articolul a fost adaugat."));
    QTest::mouseClick(screen.Button3, Qt::LeftButton); // fields emptied by the addition
    EXPECT_EQ(f.errors(), QStringList{QStringLiteral("Completati locatia.")});
    EXPECT_EQ(screen.lblMesaj->text(), QStringLiteral("  Articolul a fost adaugat."));
}

TEST_F(LocationsTest, ANewLinkShowsUpInEachOpenLookupItMatches)
{
    type(screen.EditLocatie, QStringLiteral("L8"));
    clickTab(1);
    type(screen.EditCodBare, QStringLiteral("B3"));
    EXPECT_EQ(rows(screen.StringGridArticol), QStringList());
    add(QStringLiteral("L8"), QStringLiteral("B3"));
    EXPECT_EQ(f.errors(), QStringList());
    EXPECT_TRUE(screen.EditL->text().isEmpty());
    EXPECT_TRUE(screen.EditCB->text().isEmpty());
    EXPECT_EQ(rows(screen.StringGridLocatie), (QStringList{"Apa|B1", "Cafea|B3"}));
    EXPECT_EQ(rows(screen.StringGridArticol), QStringList{QStringLiteral("M1|L8")});
    EXPECT_EQ(screen.lblT2Articol->text(), QStringLiteral("Cafea"));
}

TEST_F(LocationsTest, DeletingFromEitherLookupRemovesExactlyThatLink)
{
    type(screen.EditLocatie, QStringLiteral("L1"));
    clickTab(1);
    type(screen.EditCodBare, QStringLiteral("B1"));
    clickTab(0);
    screen.StringGridLocatie->selectRow(0); // L1/Apa
    QTest::mouseClick(screen.Button4, Qt::LeftButton);
    EXPECT_EQ(screen.lblMesaj->text(), QStringLiteral("  Articolul a fost sters din locatia = L1."));
    EXPECT_EQ(rows(screen.StringGridLocatie), QStringList{QStringLiteral("Bere|B2")});
    EXPECT_EQ(rows(screen.StringGridArticol), QStringList{QStringLiteral("M1|L8")}); // refreshed

    clickTab(1);
    EXPECT_TRUE(screen.lblMesaj->text().isEmpty());
    QTest::mouseClick(screen.Button5, Qt::LeftButton);
    EXPECT_EQ(screen.lblMesaj->text(), QStringLiteral("  Locatia a fost stearsa."));
    EXPECT_EQ(rows(screen.StringGridArticol), QStringList());
    EXPECT_EQ(links(), QStringLiteral("L1/Bere,L2/Apa,L3/Apa,L4/Apa,L5/Apa,L6/Apa,L7/Bors"));
    EXPECT_EQ(f.errors(), QStringList());

    // Now empty: nothing to delete, and nothing is.
    QTest::mouseClick(screen.Button5, Qt::LeftButton);
    EXPECT_EQ(f.errors(),
              QStringList{QStringLiteral("dsArticolLocatii: Cannot perform this operation on an empty dataset.")});
    EXPECT_EQ(links(), QStringLiteral("L1/Bere,L2/Apa,L3/Apa,L4/Apa,L5/Apa,L6/Apa,L7/Bors"));
}

TEST_F(LocationsTest, DeletingBeforeAnySearchIsRefused)
{
    QTest::mouseClick(screen.Button4, Qt::LeftButton);
    clickTab(1);
    QTest::mouseClick(screen.Button5, Qt::LeftButton);
    EXPECT_EQ(f.errors(), (QStringList{"dsLocatieArticole: Cannot perform this operation on a closed dataset.",
                                       "dsArticolLocatii: Cannot perform this operation on a closed dataset."}));
    EXPECT_EQ(f.company.count(QStringLiteral("select count(*) from locatie_art")), 9);
}

TEST_F(LocationsTest, AddingIsPrefilledFromTheLookups)
{
    clickTab(2);
    EXPECT_TRUE(screen.EditL->text().isEmpty());
    EXPECT_TRUE(screen.EditCB->text().isEmpty());
    clickTab(0);
    type(screen.EditLocatie, QStringLiteral("L1"));
    screen.StringGridLocatie->selectRow(1);
    clickTab(1);
    type(screen.EditCodBare, QStringLiteral("B2"));
    screen.lblMesaj->setText(QStringLiteral("old"));
    clickTab(2);
    EXPECT_EQ(screen.EditL->text(), QStringLiteral("L1"));
    EXPECT_EQ(screen.EditCB->text(), QStringLiteral("B2"));
    EXPECT_TRUE(screen.lblMesaj->text().isEmpty());
}

} // namespace
