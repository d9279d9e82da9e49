#include "scan/u_mScaneazaWMS.h"

#include "data/u_dmCon.h"
#include "platform/Error.h"
#include "platform/ui/ConfirmEdit.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Look.h"
#include "platform/ui/NumberBox.h"
#include "scan/Reconciliation.h"
#include "scan/u_dmWMS.h"
#include "shell/u_mProc.h"
#include "shell/WmsApp.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The single-precision value nearest 10^15.
constexpr double kMaxQuantity = 999999986991104.0;

// Calm tints for the reconciliation rows, readable on a small screen.
const QColor kDone{0xD9, 0xF2, 0xD9};       // scanned as expected
const QColor kOver{0xFF, 0xE0, 0xB3};       // more than expected
const QColor kUnexpected{0xF8, 0xD0, 0xD0}; // not on the document, or unknown

// The document key into a query's or a statement's parameters.
template <typename Statement> void setKey(Statement& s, const TmScaneazaWMS& screen)
{
    s.param(QStringLiteral("pDataDoc")).setValue(screen.pDataDoc);
    s.param(QStringLiteral("pTipDoc")).setValue(screen.pTipDoc);
    s.param(QStringLiteral("pNrDoc")).setValue(screen.pNrDoc);
}

QWidget* panel(QWidget* parent, int height)
{
    auto* widget = new QWidget(parent);
    if (height > 0)
        widget->setFixedHeight(height);
    return widget;
}

} // namespace

TmScaneazaWMS::TmScaneazaWMS(WmsApp& app)
    : dsViewScanareStoc(QStringLiteral("dsViewScanareStoc"), app.dmCon->conNuv),
      dsDocPozMarfaTM(QStringLiteral("dsDocPozMarfaTM"), app.dmCon->conNuv),
      PgSQL1(QStringLiteral("PgSQL1"), app.dmCon->conNuv), PgSQL2(QStringLiteral("PgSQL2"), app.dmCon->conNuv),
      app_(app)
{
    setObjectName(QStringLiteral("mScaneazaWMS"));
    setWindowTitle(QStringLiteral("mScaneazaWMS"));
    resize(415, 615);
    declareQueries();
    buildPanels();
    app.errors().run([this] { FormCreate(); });
}

void TmScaneazaWMS::declareQueries()
{
    using db::FieldDef;
    using db::FieldType;
    declareReconciliation(dsViewScanareStoc);

    dsDocPozMarfaTM.setSql(QStringLiteral("select *\n"
                                          "from doc_poz_marfa_tm\n"
                                          "where false\n"
                                          ";"));
    dsDocPozMarfaTM.declare({FieldDef::text(QStringLiteral("id_tranz"), 30),
                             FieldDef::of(QStringLiteral("data_doc"), FieldType::Date, db::Required),
                             FieldDef::text(QStringLiteral("tip_doc"), 7, db::Required),
                             FieldDef::text(QStringLiteral("nr_doc"), 15, db::Required),
                             FieldDef::text(QStringLiteral("cod_bare"), 48, db::Required),
                             FieldDef::of(QStringLiteral("cant"), FieldType::Float, db::Required),
                             FieldDef::text(QStringLiteral("emitent"), 100, db::Required),
                             FieldDef::text(QStringLiteral("id_terminal"), 50)});
    dsDocPozMarfaTM.setUpdateTable(QStringLiteral("doc_poz_marfa_tm"));

    PgSQL1.setSql(QStringLiteral("update doc set data_listare = clock_timestamp()\n"
                                 "where data_doc = :pDataDoc\n"
                                 "  and tip_doc  = :pTipDoc\n"
                                 "  and nr_doc   = :pNrDoc\n"
                                 ";"));
    PgSQL1.setParamType(QStringLiteral("pDataDoc"), db::ParamType::Date);
    PgSQL2.setSql(QStringLiteral("update doc set data_sf_scanare = clock_timestamp()\n"
                                 "where data_doc = :pDataDoc\n"
                                 "  and tip_doc  = :pTipDoc\n"
                                 "  and nr_doc   = :pNrDoc\n"
                                 ";"));
    PgSQL2.setParamType(QStringLiteral("pDataDoc"), db::ParamType::Date);
}

void TmScaneazaWMS::buildPanels()
{
    const ErrorHandler& errors = app_.errors();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Layout0 = panel(this, 33);
    Label1 = new QLabel(Layout0);
    look::colourText(*Label1, look::kChocolate, true);
    auto* titleRow = new QVBoxLayout(Layout0);
    titleRow->setContentsMargins(5, 0, 0, 0);
    titleRow->addWidget(Label1);
    column->addWidget(Layout0);

    Layout1 = panel(this, 112);
    NumberBox1 = new NumberBox(1, kMaxQuantity, Layout1);
    NumberBox1->setGeometry(8, 12, 57, 32);
    Edit1 = new ConfirmEdit(errors, Layout1);
    Edit1->setGeometry(80, 12, 225, 32);
    Edit1->setPlaceholderText(QStringLiteral("cod bare"));
    Button1 = new QPushButton(QStringLiteral("OK"), Layout1);
    Button1->setGeometry(312, 4, 90, 44);
    look::tomatoWhilePressed(*Button1);
    Label2 = new QLabel(Layout1);
    Label2->setGeometry(8, 48, 401, 57);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    look::colourText(*Label2, look::kChocolate);
    column->addWidget(Layout1);

    LayoutTerminareScanare = panel(this, 64);
    ButtonTerminareScanare = new QPushButton(QStringLiteral("Terminare Scanare"), LayoutTerminareScanare);
    ButtonTerminareScanare->setGeometry(8, 0, 169, 44);
    look::tomatoWhilePressed(*ButtonTerminareScanare);
    column->addWidget(LayoutTerminareScanare);

    LayoutMarcheazaListat = panel(this, 112);
    Button2 = new QPushButton(QStringLiteral("Marcheaza Listat"), LayoutMarcheazaListat);
    Button2->setGeometry(8, 32, 145, 44);
    look::tomatoWhilePressed(*Button2);
    Label3 = new QLabel(LayoutMarcheazaListat);
    Label3->setGeometry(160, 0, 249, 105);
    Label3->setWordWrap(true);
    look::colourText(*Label3, look::kChocolate, true);
    column->addWidget(LayoutMarcheazaListat);

    LayoutScanari = panel(this, 0);
    StringGrid1 = new DataGrid(dsViewScanareStoc,
                               {{QStringLiteral("articol"), {}, 700},
                                {QStringLiteral("cant"), QStringLiteral("q"), 55},
                                {QStringLiteral("cant_scanata"), QStringLiteral("qScan"), 55},
                                {QStringLiteral("cod_bare"), QStringLiteral("codBare"), 170},
                                {QStringLiteral("locatie"), QStringLiteral("locMag"), 200}},
                               LayoutScanari);
    StringGrid1->dataset().setRowBrush([this](int row) { return rowTint(row); });
    auto* gridBox = new QVBoxLayout(LayoutScanari);
    gridBox->setContentsMargins(0, 0, 0, 0);
    gridBox->addWidget(StringGrid1);
    column->addWidget(LayoutScanari, 1);

    setTabOrder(NumberBox1, Edit1);
    setTabOrder(Edit1, Button1);

    Edit1->setOnConfirm([this](const QString& text) { Edit1Validate(text); });
    connect(Button1, &QPushButton::clicked, this, errors.wrap([this] { Button1Click(); }));
    connect(NumberBox1, &QDoubleSpinBox::valueChanged, this, errors.wrap([this] { NumberBox1Change(); }));
    connect(Button2, &QPushButton::clicked, this, errors.wrap([this] { Button2Click(); }));
    connect(ButtonTerminareScanare, &QPushButton::clicked, this,
            errors.wrap([this] { ButtonTerminareScanareClick(); }));
}

void TmScaneazaWMS::FormCreate()
{
    LayoutMarcheazaListat->hide();
    LayoutTerminareScanare->hide();
}

void TmScaneazaWMS::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    app_.errors().run([this] { FormShow(); });
}

bool TmScaneazaWMS::blindDocument() const
{
    return pTipDoc == QLatin1String("NIR") || pTipDoc == QLatin1String("Inv");
}

void TmScaneazaWMS::FormShow()
{
    pRezolvat = false;
    vSeOpresteScanarea = app_.dmWMS->dsDocDeScanatKTse_opreste_scanarea.asBool();
    // On these documents the operator counts without seeing what is expected.
    StringGrid1->setColumnHidden(1, blindDocument());
    Label1->setText(pTipDoc + QLatin1Char(' ') + pNrDoc + QStringLiteral(" din ") +
                    QLocale().toString(pDataDoc, QLocale::ShortFormat));
    Label2->clear();
    Label3->clear();

    setKey(dsViewScanareStoc, *this);
    if (dsViewScanareStoc.isOpen())
        dsViewScanareStoc.refresh();
    else
        dsViewScanareStoc.open();
    StringGrid1->rebind();

    if (vSeOpresteScanarea && totalsEqual()) {
        Label3->setText(QStringLiteral("nelistat"));
        Layout1->hide();
        LayoutMarcheazaListat->show();
        LayoutTerminareScanare->hide();
    } else {
        Layout1->show();
        LayoutMarcheazaListat->hide();
        LayoutTerminareScanare->setVisible(!vSeOpresteScanarea);
        Edit1->setFocus();
    }
}

bool TmScaneazaWMS::totalsEqual() const
{
    // The totals stand on every row; no row, or an empty total, reads as 0.
    const double expected = dsViewScanareStoc.currentValue(QStringLiteral("sum_cant")).toDouble();
    const double scanned = dsViewScanareStoc.currentValue(QStringLiteral("sum_cant_scanata")).toDouble();
    return expected == scanned;
}

void TmScaneazaWMS::Edit1Validate(const QString& text)
{
    if (text.isEmpty())
        throw Error(QStringLiteral("completati codBare !"));
    recordScan(text);
}

void TmScaneazaWMS::recordScan(const QString& barcode)
{
    TdmCon& dm = *app_.dmCon;
    NumberBox1->interpretText(); // a quantity typed but not yet confirmed counts
    dsDocPozMarfaTM.open();
    dsDocPozMarfaTM.append();
    try {
        dsDocPozMarfaTM.setValue(QStringLiteral("data_doc"), pDataDoc);
        dsDocPozMarfaTM.setValue(QStringLiteral("tip_doc"), pTipDoc);
        dsDocPozMarfaTM.setValue(QStringLiteral("nr_doc"), pNrDoc);
        dsDocPozMarfaTM.setValue(QStringLiteral("emitent"), dm.glUser);
        dsDocPozMarfaTM.setValue(QStringLiteral("cod_bare"), barcode);
        dsDocPozMarfaTM.setValue(QStringLiteral("cant"), NumberBox1->value());
        dsDocPozMarfaTM.setValue(QStringLiteral("id_terminal"), app_.title());
    } catch (...) {
        // A row that could not be filled is never sent; the next scan starts clean.
        dsDocPozMarfaTM.cancel();
        throw;
    }

    try {
        dsDocPozMarfaTM.post();
        app_.mProc->nuvPlay(QStringLiteral("beepOK.mp3"));
        Label2->clear();
        NumberBox1->setValue(1);
        dsViewScanareStoc.refresh();
        if (vSeOpresteScanarea && totalsEqual()) {
            Layout1->hide();
            Label3->setText(QStringLiteral("nelistat"));
            LayoutMarcheazaListat->show();
            app_.mProc->nuvPlay(QStringLiteral("beepGata.mp3"));
        }
        if (dsViewScanareStoc.currentValue(QStringLiteral("cod_bare")).toString() != barcode)
            dsViewScanareStoc.locate(QStringLiteral("cod_bare"), barcode);
    } catch (const std::exception& e) {
        // Never sent again by itself: what the server holds shows in the refresh.
        QString message = messageOf(e);
        app_.mProc->nuvPlay(QStringLiteral("beepERR.mp3"));
        dsDocPozMarfaTM.cancel();
        try {
            dsViewScanareStoc.refresh();
        } catch (const std::exception& refreshError) {
            message += QLatin1Char('\n') + messageOf(refreshError);
        }
        Label2->setText(message);
    }
    StringGrid1->rebind();
    Edit1->clearConfirmed();
}

void TmScaneazaWMS::Button1Click()
{
    Edit1->setFocus();
}

void TmScaneazaWMS::NumberBox1Change()
{
    Edit1->setFocus();
}

void TmScaneazaWMS::Button2Click()
{
    setKey(PgSQL1, *this);
    try {
        PgSQL1.execute();
        Label3->setText(QStringLiteral("listat"));
        pRezolvat = true;
        accept();
    } catch (const std::exception& e) {
        Label3->setText(messageOf(e));
    }
}

void TmScaneazaWMS::ButtonTerminareScanareClick()
{
    setKey(PgSQL2, *this);
    try {
        PgSQL2.execute();
        pRezolvat = true;
        accept();
    } catch (const std::exception& e) {
        Label2->setText(messageOf(e));
    }
}

QBrush TmScaneazaWMS::rowTint(int row) const
{
    if (blindDocument())
        return {};
    const QVariant expected = dsViewScanareStoc.value(row, dsViewScanareStoc.columnIndex(QStringLiteral("cant")));
    const QVariant scanned =
        dsViewScanareStoc.value(row, dsViewScanareStoc.columnIndex(QStringLiteral("cant_scanata")));
    if (scanned.isNull())
        return {};
    if (expected.isNull())
        return kUnexpected;
    if (scanned.toDouble() == expected.toDouble())
        return kDone;
    return scanned.toDouble() > expected.toDouble() ? kOver : QBrush();
}
