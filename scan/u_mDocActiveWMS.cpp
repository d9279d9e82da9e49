#include "scan/u_mDocActiveWMS.h"

#include "platform/Error.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Look.h"
#include "platform/ui/ModalShow.h"
#include "scan/u_dmWMS.h"
#include "scan/u_mScaneazaWMS.h"
#include "shell/WmsApp.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TmDocActiveWMS::TmDocActiveWMS(WmsApp& app) : app_(app)
{
    setObjectName(QStringLiteral("mDocActiveWMS"));
    setWindowTitle(QStringLiteral("mDocActiveWMS"));
    resize(415, 615);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* top = new QWidget(this);
    top->setFixedHeight(89);
    Label1 = new QLabel(QStringLiteral("Documente de scanat"), top);
    Label1->setGeometry(8, 4, 415 - 16, 24);
    look::colourText(*Label1, look::kChocolate, true);
    ButtonCauta = new QPushButton(QStringLiteral("Cauta"), top);
    ButtonCauta->setGeometry(8, 32, 105, 44);
    look::tomatoWhilePressed(*ButtonCauta);
    ButtonScaneaza = new QPushButton(QStringLiteral("Scaneaza"), top);
    ButtonScaneaza->setGeometry(120, 32, 105, 44);
    look::tomatoWhilePressed(*ButtonScaneaza);
    column->addWidget(top);

    StringGrid1 = new DataGrid(app.dmWMS->dsDocWMS,
                               {{QStringLiteral("data_doc"), QStringLiteral("dataDoc"), 95},
                                {QStringLiteral("tip_doc"), QStringLiteral("tipDoc"), 75},
                                {QStringLiteral("nr_doc"), QStringLiteral("nrDoc"), 150},
                                {QStringLiteral("tip_doc_fel"), QStringLiteral("felDoc")},
                                {QStringLiteral("magazie_sursa"), QStringLiteral("magSursa"), 105},
                                {QStringLiteral("partener"), {}, 250},
                                {QStringLiteral("partener_punct_lucru"), QStringLiteral("PunctLucru"), 250},
                                {QStringLiteral("eu_punct_lucru"), QStringLiteral("EuPunctLucru"), 200},
                                {QStringLiteral("magazie_dest"), QStringLiteral("magDest")}},
                               this);
    column->addWidget(StringGrid1, 1);

    const ErrorHandler& errors = app.errors();
    connect(ButtonCauta, &QPushButton::clicked, this, errors.wrap([this] { ButtonCautaClick(); }));
    connect(ButtonScaneaza, &QPushButton::clicked, this, errors.wrap([this] { ButtonScaneazaClick(); }));
    setTabOrder(ButtonCauta, ButtonScaneaza);
    setTabOrder(ButtonScaneaza, StringGrid1);
    ButtonCauta->setFocus();
}

void TmDocActiveWMS::ButtonCautaClick()
{
    db::Query& list = app_.dmWMS->dsDocWMS;
    if (list.isOpen())
        list.refresh();
    else
        list.open();
    StringGrid1->rebind();
}

void TmDocActiveWMS::ButtonScaneazaClick()
{
    TdmWMS& wms = *app_.dmWMS;
    const QDate dataDoc = wms.dsDocWMSdata_doc.asDate();
    const QString tipDoc = wms.dsDocWMStip_doc.asString();
    const QString nrDoc = wms.dsDocWMSnr_doc.asString();

    db::Query& check = wms.dsDocDeScanatKT;
    check.param(QStringLiteral("pDataDoc")).setValue(dataDoc.isValid() ? QVariant(dataDoc) : QVariant());
    check.param(QStringLiteral("pTipDoc")).setValue(tipDoc);
    check.param(QStringLiteral("pNrDoc")).setValue(nrDoc);
    if (check.isOpen())
        check.refresh();
    else
        check.open();
    if (check.isEmpty())
        throw Error(QStringLiteral("Document indisponibil pentru scanare ! Apasati \"Cauta\""));

    TmScaneazaWMS& scanning = *app_.mScaneazaWMS;
    scanning.pDataDoc = dataDoc;
    scanning.pTipDoc = tipDoc;
    scanning.pNrDoc = nrDoc;
    showModal(scanning, app_.errors().wrap([this](int) { scanningClosed(); }));
}

void TmDocActiveWMS::scanningClosed()
{
    if (!app_.mScaneazaWMS->pRezolvat)
        return;
    app_.dmWMS->dsDocWMS.refresh();
    StringGrid1->rebind();
}
