#include "data/u_dmCon.h"
#include "platform/ui/ConfirmEdit.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/NumberBox.h"
#include "scan/u_dmWMS.h"
#include "scan/u_mDocActiveWMS.h"
#include "scan/u_mScaneazaWMS.h"
#include "shell/u_mProc.h"
#include "tests/harness/AppFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Documents of 2024-03-05 in warehouse M1 of work point PL1 (stop flag in
// brackets): AVZ 1 [stops] Apa 2, Bere 1; AVZ 2 Apa 1; NIR 3 [stops] Apa 2;
// NP 4 Apa 1, Bere 1; Inv 5 Apa 3, Bere 1; AVZ 6 of another work point.
// The server refuses the barcode REFUZ.
const char* const kCompany = R"sql(
insert into articol values ('Apa', 'B1', true), ('Bere', 'B2', true), ('Cafea', 'B3', true), ('Punga', 'B9', false);
insert into locatie values ('L1', 'M1'), ('L2', 'M1');
insert into locatie_art values ('L2', 'Apa'), ('L1', 'Apa');
insert into doc (data_doc, tip_doc, nr_doc, eu_punct_lucru, magazie_sursa, se_opreste_scanarea) values
  ('2024-03-05', 'AVZ', '1', 'PL1', 'M1', true), ('2024-03-05', 'AVZ', '2', 'PL1', 'M1', false),
  ('2024-03-05', 'NIR', '3', 'PL1', 'M1', true), ('2024-03-05', 'NP', '4', 'PL1', 'M1', false),
  ('2024-03-05', 'Inv', '5', 'PL1', 'M1', false), ('2024-03-05', 'AVZ', '6', 'PL2', 'M1', false);
insert into doc_poz (data_doc, tip_doc, nr_doc, articol, cant) values
  ('2024-03-05', 'AVZ', '1', 'Apa', 2), ('2024-03-05', 'AVZ', '1', 'Bere', 1),
  ('2024-03-05', 'AVZ', '2', 'Apa', 1), ('2024-03-05', 'NIR', '3', 'Apa', 2),
  ('2024-03-05', 'NP', '4', 'Apa', 1), ('2024-03-05', 'NP', '4', 'Bere', 1),
  ('2024-03-05', 'Inv', '5', 'Apa', 3), ('2024-03-05', 'Inv', '5', 'Bere', 1);
create function refuse_scan() returns trigger language plpgsql as $$
begin
  if new.cod_bare = 'REFUZ' then
    raise exception 'Codul % nu este pe documentul %', new.cod_bare, new.nr_doc;
  end if;
  return new;
end $$;
create trigger refuse_scan before insert on doc_poz_marfa_tm for each row execute function refuse_scan();
)sql";

class ScanningTest : public ::testing::Test {
protected:
    AppFixture f;
    QStringList played;
    TmDocActiveWMS& list = *f.app().mDocActiveWMS;
    TmScaneazaWMS& screen = *f.app().mScaneazaWMS;

    void SetUp() override
    {
        f.company.exec(QString::fromUtf8(kCompany));
        f.targetCompany();
        f.app().dmCon->glUser = QStringLiteral("Ana"); // as after a login
        f.app().dmWMS->dsDocWMS.param(QStringLiteral("pEuPL")).setValue(QStringLiteral("PL1"));
        f.app().mProc->MediaPlayer1 = std::make_unique<RecordingPlayer>(played);
        list.show();
        QTest::mouseClick(list.ButtonCauta, Qt::LeftButton);
    }

    void open(const char* number)
    {
        ASSERT_TRUE(f.app().dmWMS->dsDocWMS.locate(QStringLiteral("nr_doc"), QString::fromLatin1(number)));
        QTest::mouseClick(list.ButtonScaneaza, Qt::LeftButton);
        ASSERT_TRUE(screen.isVisible()) << f.errors().join('\n').toStdString();
        QApplication::setActiveWindow(&screen); // focus moves only inside the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    }

    void scan(const QString& barcode, int quantity = 0)
    {
        if (quantity > 0) {
            screen.NumberBox1->selectAll();
            QTest::keyClicks(screen.NumberBox1, QString::number(quantity));
            QTest::keyClick(screen.NumberBox1, Qt::Key_Return);
        }
        QTest::keyClicks(screen.Edit1, barcode);
        QTest::keyClick(screen.Edit1, Qt::Key_Return);
    }

    QStringList sounds() const
    {
        QStringList names;
        for (const QString& path : played)
            names << QFileInfo(path).fileName();
        return names;
    }

    QString scans() const
    {
        return f.company.scalar(QStringLiteral(
            "select string_agg(concat_ws('|', data_doc, tip_doc, nr_doc, cod_bare, cant, emitent, id_terminal), ',' "
            "order by id_tranz) from doc_poz_marfa_tm"));
    }

    // articol | q | qScan of each grid row, as shown.
    QStringList grid() const
    {
        QStringList rows;
        const QAbstractItemModel& model = *screen.StringGrid1->model();
        for (int r = 0; r < model.rowCount(); ++r)
            rows << QStringLiteral("%1|%2|%3")
                        .arg(model.index(r, 0).data().toString(), model.index(r, 1).data().toString(),
                             model.index(r, 2).data().toString());
        return rows;
    }

    struct Panels {
        bool input, end, mark;
        bool operator==(const Panels&) const = default;
    };
    Panels panels() const
    {
        return {screen.Layout1->isVisible(), screen.LayoutTerminareScanare->isVisible(),
                screen.LayoutMarcheazaListat->isVisible()};
    }
};

TEST_F(ScanningTest, OneScanIsStoredShownAndHeard)
{
    open("2");
    EXPECT_EQ(screen.Label1->text(),
              QStringLiteral("AVZ 2 din ") + QLocale().toString(QDate(2024, 3, 5), QLocale::ShortFormat));
    EXPECT_EQ(screen.focusWidget(), screen.Edit1);
    scan(QStringLiteral(" B1"), 5); // stored exactly as typed: an unknown barcode
    scan(QStringLiteral("B1"));

    EXPECT_EQ(scans(), QStringLiteral("2024-03-05|AVZ|2| B1|5|Ana|mwmskt,2024-03-05|AVZ|2|B1|1|Ana|mwmskt"));
    EXPECT_EQ(grid(), (QStringList{"Apa|1|1", "||5"}));
    EXPECT_EQ(sounds(), (QStringList{"beepOK.mp3", "beepOK.mp3"}));
    EXPECT_EQ(screen.NumberBox1->value(), 1);
    EXPECT_TRUE(screen.Edit1->text().isEmpty());
    EXPECT_TRUE(screen.Label2->text().isEmpty());
    // The current row is the line just scanned.
    EXPECT_EQ(screen.dsViewScanareStoc.currentValue(QStringLiteral("cod_bare")).toString(), QStringLiteral("B1"));
    EXPECT_EQ(screen.StringGrid1->currentIndex().row(), 0);
    EXPECT_TRUE(f.errors().isEmpty());
}

TEST_F(ScanningTest, ScanningTheSameBarcodeTwiceSumsItAndTheCurrentRowFollowsTheScan)
{
    open("4"); // NP: only what was scanned is listed
    scan(QStringLiteral("B2"));
    scan(QStringLiteral("B1"));
    scan(QStringLiteral("B2"));
    EXPECT_EQ(grid(), (QStringList{"Apa|1|1", "Bere|1|2"}));
    EXPECT_EQ(screen.dsViewScanareStoc.currentValue(QStringLiteral("articol")).toString(), QStringLiteral("Bere"));
    EXPECT_FALSE(screen.StringGrid1->isColumnHidden(1));
}

TEST_F(ScanningTest, BlindDocumentsHideTheExpectedQuantityAndAreNotTinted)
{
    open("5"); // Inv lists every expected article
    EXPECT_TRUE(screen.StringGrid1->isColumnHidden(1));
    EXPECT_EQ(grid(), (QStringList{"Apa|3|", "Bere|1|"}));
    scan(QStringLiteral("B1"), 3);
    EXPECT_FALSE(screen.StringGrid1->model()->index(0, 0).data(Qt::BackgroundRole).isValid());
    screen.reject();
    open("3");
    EXPECT_TRUE(screen.StringGrid1->isColumnHidden(1));
}

TEST_F(ScanningTest, RowsAreTintedByTheirState)
{
    open("2");
    scan(QStringLiteral("B1")); // Apa: done
    scan(QStringLiteral("B3")); // Cafea: not on the document
    const QAbstractItemModel& model = *screen.StringGrid1->model();
    const auto tint = [&](int row) { return model.index(row, 0).data(Qt::BackgroundRole).value<QBrush>().color(); };
    EXPECT_EQ(tint(0), QColor(0xD9, 0xF2, 0xD9));
    EXPECT_EQ(tint(1), QColor(0xF8, 0xD0, 0xD0));
    scan(QStringLiteral("B1")); // Apa: over
    EXPECT_EQ(tint(0), QColor(0xFF, 0xE0, 0xB3));
    screen.reject();
    open("1");
    EXPECT_FALSE(model.index(0, 0).data(Qt::BackgroundRole).isValid()); // nothing scanned yet
}

TEST_F(ScanningTest, ARefusalShowsTheServersWordsKeepsTheQuantityAndStoresNothing)
{
    open("2");
    scan(QStringLiteral("REFUZ"), 5);
    EXPECT_EQ(screen.Label2->text(), QStringLiteral("Codul REFUZ nu este pe documentul 2"));
    EXPECT_EQ(sounds(), QStringList{QStringLiteral("beepERR.mp3")});
    EXPECT_EQ(screen.NumberBox1->value(), 5);
    EXPECT_EQ(scans(), QString());
    EXPECT_TRUE(screen.Edit1->text().isEmpty());
    EXPECT_TRUE(f.errors().isEmpty());
    // The next scan goes through with the kept quantity, and clears the message.
    scan(QStringLiteral("B1"));
    EXPECT_EQ(scans(), QStringLiteral("2024-03-05|AVZ|2|B1|5|Ana|mwmskt"));
    EXPECT_TRUE(screen.Label2->text().isEmpty());
}

TEST_F(ScanningTest, AScanWhoseConnectionBreaksIsReportedAndNeverSentAgain)
{
    open("2");
    f.company.exec(QStringLiteral(
        "create sequence attempts;"
        "create function drop_connection() returns trigger language plpgsql as $$ begin "
        "  perform nextval('attempts'); perform pg_terminate_backend(pg_backend_pid()); return new; end $$;"
        "create trigger drop_connection before insert on doc_poz_marfa_tm for each row "
        "execute function drop_connection();"));
    scan(QStringLiteral("B1"));
    EXPECT_FALSE(screen.Label2->text().isEmpty());
    EXPECT_EQ(sounds(), QStringList{QStringLiteral("beepERR.mp3")});
    EXPECT_EQ(f.company.scalar(QStringLiteral("select last_value from attempts")), QStringLiteral("1"));
    EXPECT_EQ(scans(), QString());
    // The refresh on a fresh connection shows what the server holds.
    EXPECT_EQ(grid(), (QStringList{"Apa|1|"}));
}

TEST_F(ScanningTest, TheBarcodeBoxConfirmsOnlyChangedText)
{
    open("2");
    QTest::keyClick(screen.Edit1, Qt::Key_Return); // empty and untouched: nothing
    EXPECT_TRUE(f.errors().isEmpty());

    QTest::keyClicks(screen.Edit1, QStringLiteral("B"));
    QTest::keyClick(screen.Edit1, Qt::Key_Backspace);
    QTest::keyClick(screen.Edit1, Qt::Key_Return);
    QTest::keyClick(screen.Edit1, Qt::Key_Return); // still unconfirmed: raised again
    EXPECT_EQ(f.errors(), (QStringList{"completati codBare !", "completati codBare !"}));

    scan(QStringLiteral("B1"));
    EXPECT_EQ(scans(), QStringLiteral("2024-03-05|AVZ|2|B1|1|Ana|mwmskt"));
    QTest::keyClick(screen.Edit1, Qt::Key_Return); // emptied by the scan: counts as confirmed
    EXPECT_EQ(f.errors().size(), 2);

    // "OK" after typing: leaving the box confirms the code, then focus comes back.
    QTest::keyClicks(screen.Edit1, QStringLiteral("B1"));
    screen.Button1->setFocus();
    QTest::mouseClick(screen.Button1, Qt::LeftButton);
    EXPECT_EQ(f.company.count(QStringLiteral("select count(*) from doc_poz_marfa_tm")), 2);
    EXPECT_EQ(screen.focusWidget(), screen.Edit1);
}

// The error box takes the focus from the box whose handler raised.
class FocusTakingRecorder : public ErrorReporter {
public:
    FocusTakingRecorder(QWidget& elsewhere, QStringList& messages) : elsewhere_(elsewhere), messages_(messages) {}
    void showError(const QString& text) override
    {
        messages_ << text;
        elsewhere_.setFocus();
    }

private:
    QWidget& elsewhere_;
    QStringList& messages_;
};

TEST_F(ScanningTest, LosingFocusToTheErrorBoxIsNoSecondConfirmation)
{
    open("2");
    QStringList messages;
    f.app().errors().setReporter(std::make_unique<FocusTakingRecorder>(*screen.NumberBox1, messages));
    screen.Edit1->setFocus();
    QTest::keyClicks(screen.Edit1, QStringLiteral("B"));
    QTest::keyClick(screen.Edit1, Qt::Key_Backspace);
    QTest::keyClick(screen.Edit1, Qt::Key_Return);
    EXPECT_EQ(messages, QStringList{QStringLiteral("completati codBare !")});
}

TEST_F(ScanningTest, ABarcodeLongerThanItsColumnFailsBeforeAnythingIsSent)
{
    open("2");
    const QString tooLong(49, QLatin1Char('7'));
    scan(tooLong);
    EXPECT_EQ(f.errors(), QStringList{QStringLiteral(
                              "dsDocPozMarfaTM: Value too long for field 'cod_bare': at most 48 characters.")});
    EXPECT_TRUE(played.isEmpty());
    EXPECT_EQ(screen.Edit1->text(), tooLong);
    EXPECT_EQ(scans(), QString());
    // The pending row was discarded: the next scan starts clean.
    screen.Edit1->clearConfirmed();
    scan(QStringLiteral("B1"));
    EXPECT_EQ(scans(), QStringLiteral("2024-03-05|AVZ|2|B1|1|Ana|mwmskt"));
}

struct PanelCase {
    const char* name;
    const char* document;
    const char* scansBefore; // inserted before the screen shows
    bool input, end, mark;
    const char* status;
};
void PrintTo(const PanelCase& c, std::ostream* os)
{
    *os << c.name;
}

class PanelStateTest : public ScanningTest, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(PanelStateTest, AtShow)
{
    const PanelCase& c = GetParam();
    f.company.exec(QString::fromLatin1(c.scansBefore));
    open(c.document);
    EXPECT_EQ(panels(), (Panels{c.input, c.end, c.mark}));
    EXPECT_EQ(screen.Label3->text(), QString::fromLatin1(c.status));
}

INSTANTIATE_TEST_SUITE_P(
    States, PanelStateTest,
    ::testing::Values(PanelCase{"StopsByItselfIncomplete", "1", "", true, false, false, ""},
                      PanelCase{
                          "StopsByItselfComplete", "1",
                          "insert into doc_poz_marfa_tm (data_doc, tip_doc, nr_doc, cod_bare, cant, emitent) "
                          "values ('2024-03-05', 'AVZ', '1', 'B1', 2, 'x'), ('2024-03-05', 'AVZ', '1', 'B2', 1, 'x');",
                          false, false, true, "nelistat"},
                      PanelCase{"NirWithoutScansIsComplete", "3", "", false, false, true, "nelistat"},
                      PanelCase{"EndedByHand", "2", "", true, true, false, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ScanningTest, AScanThatCompletesTheDocumentOffersMarkingItPrinted)
{
    open("1");
    scan(QStringLiteral("B1"), 4); // 4 scanned, 3 expected: over never completes
    EXPECT_EQ(panels(), (Panels{true, false, false}));
    screen.reject();
    f.company.exec(QStringLiteral("delete from doc_poz_marfa_tm"));
    played.clear();
    open("1");
    scan(QStringLiteral("B1"), 2);
    EXPECT_EQ(panels(), (Panels{true, false, false}));
    scan(QStringLiteral("B2"));
    EXPECT_EQ(panels(), (Panels{false, false, true}));
    EXPECT_EQ(screen.Label3->text(), QStringLiteral("nelistat"));
    EXPECT_EQ(sounds(), (QStringList{"beepOK.mp3", "beepOK.mp3", "beepGata.mp3"}));
}

TEST_F(ScanningTest, EndingByHandNeverCompletesOnAScan)
{
    open("2");
    scan(QStringLiteral("B1"));
    EXPECT_EQ(panels(), (Panels{true, true, false}));
    EXPECT_EQ(sounds(), QStringList{QStringLiteral("beepOK.mp3")});
}

struct ClosingCase {
    const char* name;
    const char* document;
    const char* stampedColumn;
    const char* scansBefore;
};
void PrintTo(const ClosingCase& c, std::ostream* os)
{
    *os << c.name;
}

class ClosingTest : public ScanningTest, public ::testing::WithParamInterface<ClosingCase> {};

TEST_P(ClosingTest, StampsTheServersClockClosesWithOkAndReloadsTheList)
{
    const ClosingCase& c = GetParam();
    f.company.exec(QString::fromLatin1(c.scansBefore));
    open(c.document);
    const int before = f.app().dmWMS->dsDocWMS.rowCount();
    QPushButton* button = QString::fromLatin1(c.stampedColumn) == QLatin1String("data_listare")
                              ? screen.Button2
                              : screen.ButtonTerminareScanare;
    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.result(), QDialog::Accepted);
    EXPECT_TRUE(screen.pRezolvat);
    EXPECT_EQ(f.company.count(QStringLiteral("select count(*) from doc where nr_doc = '%1' and %2 > now() - "
                                             "interval '1 minute'")
                                  .arg(c.document, c.stampedColumn)),
              1);
    // Stamped documents leave the view: the reloaded list no longer has it.
    EXPECT_EQ(f.app().dmWMS->dsDocWMS.rowCount(), before - 1);
    EXPECT_TRUE(f.errors().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, ClosingTest,
                         ::testing::Values(ClosingCase{"MarkPrinted", "3", "data_listare", ""},
                                           ClosingCase{"EndScanning", "2", "data_sf_scanare", ""}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ScanningTest, ClosingTheWindowOtherwiseDoesNotReloadTheList)
{
    open("2");
    f.company.exec(QStringLiteral("insert into doc (data_doc, tip_doc, nr_doc, eu_punct_lucru) values "
                                  "('2024-03-06', 'AVZ', '9', 'PL1');"));
    const int before = f.app().dmWMS->dsDocWMS.rowCount();
    screen.reject();
    EXPECT_FALSE(screen.pRezolvat);
    EXPECT_EQ(f.app().dmWMS->dsDocWMS.rowCount(), before);
    QTest::mouseClick(list.ButtonCauta, Qt::LeftButton);
    EXPECT_EQ(f.app().dmWMS->dsDocWMS.rowCount(), before + 1);
}

TEST_F(ScanningTest, ADocumentThatLeftTheViewCannotBeScanned)
{
    ASSERT_TRUE(f.app().dmWMS->dsDocWMS.locate(QStringLiteral("nr_doc"), QStringLiteral("2")));
    f.company.exec(QStringLiteral("update doc set data_anulare = now() where nr_doc = '2';"));
    QTest::mouseClick(list.ButtonScaneaza, Qt::LeftButton);
    EXPECT_EQ(f.errors(), QStringList{QStringLiteral("Document indisponibil pentru scanare ! Apasati \"Cauta\"")});
    EXPECT_FALSE(screen.isVisible());
}

TEST(DocumentListTest, ScanBeforeTheFirstSearchIsRefusedAndTheListIsThisWorkPointsNewestFirst)
{
    AppFixture f;
    f.company.exec(QString::fromUtf8(kCompany) +
                   QStringLiteral("insert into doc (data_doc, tip_doc, nr_doc, eu_punct_lucru) values "
                                  "('2024-03-06', 'AVZ', '10', 'PL1'), ('2024-03-06', 'AVZ', '9', 'PL1');"));
    f.targetCompany();
    f.app().dmWMS->dsDocWMS.param(QStringLiteral("pEuPL")).setValue(QStringLiteral("PL1"));
    TmDocActiveWMS& list = *f.app().mDocActiveWMS;
    list.show();
    EXPECT_EQ(list.focusWidget(), list.ButtonCauta);
    QTest::mouseClick(list.ButtonScaneaza, Qt::LeftButton);
    EXPECT_EQ(f.errors(), QStringList{QStringLiteral("Document indisponibil pentru scanare ! Apasati \"Cauta\"")});

    QTest::mouseClick(list.ButtonCauta, Qt::LeftButton);
    QStringList shown;
    const QAbstractItemModel& model = *list.StringGrid1->model();
    for (int r = 0; r < model.rowCount(); ++r)
        shown << model.index(r, 1).data().toString() + QLatin1Char(' ') + model.index(r, 2).data().toString();
    EXPECT_EQ(shown, (QStringList{"AVZ 9", "AVZ 10", "AVZ 2", "AVZ 1", "Inv 5", "NIR 3", "NP 4"}));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("dataDoc"));
    EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), QStringLiteral("partener"));
    EXPECT_EQ(model.index(0, 0).data().toString(), QLocale().toString(QDate(2024, 3, 6), QLocale::ShortFormat));
    EXPECT_EQ(list.StringGrid1->columnWidth(2), 150);
}

struct QuantityCase {
    const char* typed;
    double value;
};
void PrintTo(const QuantityCase& c, std::ostream* os)
{
    *os << '"' << c.typed << '"';
}

class QuantityBoxTest : public ::testing::TestWithParam<QuantityCase> {};

TEST_P(QuantityBoxTest, TakesWholeNumbersInRange)
{
    NumberBox box(1, 999999986991104.0, nullptr);
    box.show();
    box.setValue(7);
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, QString::fromLatin1(GetParam().typed));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.value(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Typed, QuantityBoxTest,
                         ::testing::Values(QuantityCase{"5", 5}, QuantityCase{"0", 1}, QuantityCase{"", 1},
                                           QuantityCase{"2.5", 25}, QuantityCase{"-3", 3},
                                           QuantityCase{"999999986991104", 999999986991104.0},
                                           QuantityCase{"99999999999999999", 999999986991104.0}));

} // namespace
