#include "locations/u_mLocatiiMagArt.h"

#include "data/u_dmCon.h"
#include "platform/Error.h"
#include "platform/ui/ConfirmEdit.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/FieldLabel.h"
#include "platform/ui/Look.h"
#include "shell/WmsApp.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using db::FieldDef;

TmLocatiiMagArt::TmLocatiiMagArt(WmsApp& app)
    : dsLocatieArticole(QStringLiteral("dsLocatieArticole"), app.dmCon->conNuv),
      dsArticolLocatii(QStringLiteral("dsArticolLocatii"), app.dmCon->conNuv),
      PgSQLadauga(QStringLiteral("PgSQLadauga"), app.dmCon->conNuv), app_(app)
{
    setObjectName(QStringLiteral("mLocatiiMagArt"));
    setWindowTitle(QStringLiteral("mLocatiiMagArt"));
    resize(415, 615);
    declareQueries();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    lblTitlu = new QLabel(QStringLiteral("Locatii articole in magazii"), this);
    lblTitlu->setFixedHeight(33);
    lblTitlu->setContentsMargins(8, 0, 0, 0);
    look::colourText(*lblTitlu, look::kTomato, true);
    column->addWidget(lblTitlu);

    TabControl1 = new QTabWidget(this);
    TabControl1->setStyleSheet(QStringLiteral("QTabBar::tab { height: 49px; min-width: 100px; }"));
    TabControl1->addTab(buildLocationTab(), QStringLiteral("Locatie"));
    TabControl1->addTab(buildArticleTab(), QStringLiteral("Articol"));
    TabControl1->addTab(buildAddTab(), QStringLiteral("Adauga"));
    TabControl1->setCurrentIndex(0);
    column->addWidget(TabControl1, 1);

    lblMesaj = new QLabel(this);
    lblMesaj->setFixedHeight(41);
    lblMesaj->setContentsMargins(8, 0, 8, 0);
    column->addWidget(lblMesaj);

    const ErrorHandler& errors = app.errors();
    EditLocatie->setOnConfirm([this](const QString& text) { EditLocatieValidate(text); });
    EditCodBare->setOnConfirm([this](const QString& text) { EditCodBareValidate(text); });
    connect(Button1, &QPushButton::clicked, this, errors.wrap([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, errors.wrap([this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, errors.wrap([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, errors.wrap([this] { Button4Click(); }));
    connect(Button5, &QPushButton::clicked, this, errors.wrap([this] { Button5Click(); }));
    connect(TabControl1->tabBar(), &QTabBar::tabBarClicked, this, errors.wrap([this](int tab) {
        switch (tab) {
        case 0:
            TabItem1Click();
            break;
        case 1:
            TabItem2Click();
            break;
        case 2:
            TabItem3Click();
            break;
        default:
            break;
        }
    }));
}

void TmLocatiiMagArt::declareQueries()
{
    dsLocatieArticole.setSql(QStringLiteral(
        "select locatie.magazie,\n"
        "       locatie_art.articol,\n"
        "       locatie_art.locatie,\n"
        "       articol.cod_bare\n"
        "from locatie_art left outer join locatie on locatie_art.locatie = locatie.locatie\n"
        "                 left outer join articol on locatie_art.articol = articol.articol\n"
        "where locatie_art.locatie = :pLocatie\n"
        "  and locatie.magazie in (\n"
        "                          select magazie\n"
        "                          from magazie\n"
        "                          where eu_punct_lucru in (select distinct eu_punct_lucru from emitent where "
        "emitent = :pEmitent)\n"
        "                            and not discontinued\n"
        "                            and tip_mag <> 'rezervare'\n"
        "                         )\n"
        "order by locatie.magazie,\n"
        "         locatie_art.articol\n"
        ";"));
    dsLocatieArticole.declare({FieldDef::text(QStringLiteral("magazie"), 5, db::Required | db::ReadOnly),
                               FieldDef::text(QStringLiteral("articol"), 200, db::Required),
                               FieldDef::text(QStringLiteral("locatie"), 10, db::Required),
                               FieldDef::text(QStringLiteral("cod_bare"), 20, db::ReadOnly)});
    dsLocatieArticole.setUpdateTable(QStringLiteral("locatie_art"),
                                     {QStringLiteral("locatie"), QStringLiteral("articol")});

    dsArticolLocatii.setSql(QStringLiteral("select locatie.magazie,\n"
                                           "       locatie_art.locatie,\n"
                                           "       locatie_art.articol,\n"
                                           "       articol.cod_bare\n"
                                           "from locatie_art  inner join articol      on locatie_art.articol = "
                                           "articol.articol\n"
                                           "                                         and articol.cod_bare    = "
                                           ":pCodBare\n"
                                           "             left outer join locatie      on locatie_art.locatie = "
                                           "locatie.locatie\n"
                                           "             left outer join emitent      on emitent.emitent     = "
                                           ":pEmitent\n"
                                           "where locatie.magazie in (\n"
                                           "                          select magazie\n"
                                           "                          from magazie\n"
                                           "                          where eu_punct_lucru = emitent.eu_punct_lucru\n"
                                           "                            and not discontinued\n"
                                           "                            and tip_mag <> 'rezervare'\n"
                                           "                         )\n"
                                           "order by locatie.magazie,\n"
                                           "         locatie_art.articol\n"
                                           ";"));
    dsArticolLocatii.declare({FieldDef::text(QStringLiteral("magazie"), 5, db::Required | db::ReadOnly),
                              FieldDef::text(QStringLiteral("locatie"), 10, db::Required),
                              FieldDef::text(QStringLiteral("articol"), 200, db::Required),
                              FieldDef::text(QStringLiteral("cod_bare"), 48, db::ReadOnly)});
    dsArticolLocatii.setUpdateTable(QStringLiteral("locatie_art"),
                                    {QStringLiteral("locatie"), QStringLiteral("articol")});

    PgSQLadauga.setSql(QStringLiteral("insert into locatie_art (locatie, articol)\n"
                                      "values (:pLocatie,\n"
                                      "        (select articol from articol where cod_bare = :pCodBare)\n"
                                      "       )\n"
                                      ";"));
}

QWidget* TmLocatiiMagArt::searchRow(ConfirmEdit*& edit, const QString& prompt, QPushButton*& ok)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(8, 8, 8, 0);
    edit = new ConfirmEdit(app_.errors(), row);
    edit->setPlaceholderText(prompt);
    edit->setMinimumHeight(32);
    ok = new QPushButton(QStringLiteral("OK"), row);
    ok->setFixedSize(90, 44);
    look::tomatoWhilePressed(*ok);
    layout->addWidget(edit, 1);
    layout->addWidget(ok);
    return row;
}

QWidget* TmLocatiiMagArt::captionRow(const QString& caption, QLabel*& value)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(8, 2, 8, 2);
    auto* label = new QLabel(caption, row);
    label->setFixedWidth(80);
    look::colourText(*label, look::kChocolate, true);
    value = new QLabel(QStringLiteral("-"), row);
    look::colourText(*value, look::kChocolate, true);
    layout->addWidget(label);
    layout->addWidget(value, 1);
    return row;
}

QWidget* TmLocatiiMagArt::bottomBar(QPushButton*& button, QLabel*& label)
{
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(8, 4, 8, 4);
    button = new QPushButton(QStringLiteral("Sterge"), bar);
    button->setFixedSize(90, 44);
    look::tomatoWhilePressed(*button);
    label = new QLabel(bar);
    layout->addWidget(button);
    layout->addWidget(label, 1);
    return bar;
}

QWidget* TmLocatiiMagArt::buildLocationTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(searchRow(EditLocatie, QStringLiteral("locatie"), Button1));
    layout->addWidget(captionRow(QStringLiteral("Locatie:"), lblT1Locatie));
    layout->addWidget(captionRow(QStringLiteral("Magazie:"), lblT1Mag));
    StringGridLocatie = new DataGrid(
        dsLocatieArticole,
        {{QStringLiteral("articol"), {}, 300}, {QStringLiteral("cod_bare"), QStringLiteral("codBare"), 100}}, tab);
    layout->addWidget(StringGridLocatie, 1);
    layout->addWidget(bottomBar(Button4, Label1));
    bindLabel(*lblT1Locatie, dsLocatieArticole, QStringLiteral("locatie"));
    bindLabel(*lblT1Mag, dsLocatieArticole, QStringLiteral("magazie"));
    bindLabel(*Label1, dsLocatieArticole, QStringLiteral("articol"));
    return tab;
}

QWidget* TmLocatiiMagArt::buildArticleTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(searchRow(EditCodBare, QStringLiteral("codBare"), Button2));
    layout->addWidget(captionRow(QStringLiteral("CodBare:"), lblT2CodBare));
    layout->addWidget(captionRow(QStringLiteral("Articol:"), lblT2Articol));
    StringGridArticol = new DataGrid(dsArticolLocatii,
                                     {{QStringLiteral("magazie"), {}, 200}, {QStringLiteral("locatie"), {}, 200}}, tab);
    layout->addWidget(StringGridArticol, 1);
    layout->addWidget(bottomBar(Button5, Label4));
    bindLabel(*lblT2CodBare, dsArticolLocatii, QStringLiteral("cod_bare"));
    bindLabel(*lblT2Articol, dsArticolLocatii, QStringLiteral("articol"));
    bindLabel(*Label4, dsArticolLocatii, QStringLiteral("locatie"));
    return tab;
}

QWidget* TmLocatiiMagArt::buildAddTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(8, 8, 8, 8);
    const auto field = [&](const QString& caption, QLineEdit*& edit, const QString& prompt) {
        auto* label = new QLabel(caption, tab);
        edit = new QLineEdit(tab);
        edit->setPlaceholderText(prompt);
        edit->setMinimumHeight(32);
        layout->addWidget(label);
        layout->addWidget(edit);
    };
    field(QStringLiteral("Locatie"), EditL, QStringLiteral("locatie"));
    field(QStringLiteral("codBare"), EditCB, QStringLiteral("codBare"));
    Button3 = new QPushButton(QStringLiteral("Adauga"), tab);
    Button3->setFixedSize(105, 44);
    look::tomatoWhilePressed(*Button3);
    layout->addSpacing(8);
    layout->addWidget(Button3);
    layout->addStretch();
    return tab;
}

void TmLocatiiMagArt::search(db::Query& q, const QString& param, const QString& text, ConfirmEdit& edit)
{
    if (text.isEmpty())
        return;
    q.param(param).setValue(edit.text());
    q.param(QStringLiteral("pEmitent")).setValue(app_.dmCon->glUser);
    if (q.isOpen())
        q.refresh();
    else
        q.open();
    edit.clearConfirmed();
}

void TmLocatiiMagArt::refreshIfOpen(db::Query& q)
{
    if (q.isOpen())
        q.refresh();
}

void TmLocatiiMagArt::EditLocatieValidate(const QString& text)
{
    search(dsLocatieArticole, QStringLiteral("pLocatie"), text, *EditLocatie);
    StringGridLocatie->rebind();
}

void TmLocatiiMagArt::EditCodBareValidate(const QString& text)
{
    search(dsArticolLocatii, QStringLiteral("pCodBare"), text, *EditCodBare);
    StringGridArticol->rebind();
}

void TmLocatiiMagArt::Button1Click()
{
    EditLocatie->setFocus();
}

void TmLocatiiMagArt::Button2Click()
{
    EditCodBare->setFocus();
}

void TmLocatiiMagArt::Button4Click()
{
    const QString location = dsLocatieArticole.currentValue(QStringLiteral("locatie")).toString();
    dsLocatieArticole.deleteCurrent();
    lblMesaj->setText(QStringLiteral("  Articolul a fost sters din locatia = ") + location + QLatin1Char('.'));
    refreshIfOpen(dsArticolLocatii);
}

void TmLocatiiMagArt::Button5Click()
{
    dsArticolLocatii.deleteCurrent();
    lblMesaj->setText(QStringLiteral("  Locatia a fost stearsa."));
    refreshIfOpen(dsLocatieArticole);
}

void TmLocatiiMagArt::TabItem1Click()
{
    lblMesaj->clear();
}

void TmLocatiiMagArt::TabItem2Click()
{
    lblMesaj->clear();
}

void TmLocatiiMagArt::TabItem3Click()
{
    EditL->setText(dsLocatieArticole.currentValue(QStringLiteral("locatie")).toString());
    EditCB->setText(dsArticolLocatii.currentValue(QStringLiteral("cod_bare")).toString());
    lblMesaj->clear();
}

void TmLocatiiMagArt::Button3Click()
{
    if (EditL->text().isEmpty())
        throw Error(QStringLiteral("Completati locatia"));
    if (EditCB->text().isEmpty())
        throw Error(QStringLiteral("Completati cod bare"));
    PgSQLadauga.param(QStringLiteral("pLocatie")).setValue(EditL->text());
    PgSQLadauga.param(QStringLiteral("pCodBare")).setValue(EditCB->text());
    PgSQLadauga.execute();
    EditL->clear();
    EditCB->clear();
    refreshIfOpen(dsLocatieArticole);
    refreshIfOpen(dsArticolLocatii);
    StringGridLocatie->rebind();
    StringGridArticol->rebind();
    lblMesaj->setText(QStringLiteral("  Articolul a fost adaugat."));
}
