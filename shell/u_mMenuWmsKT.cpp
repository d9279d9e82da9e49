#include "shell/u_mMenuWmsKT.h"

#include "data/u_dmCon.h"
#include "data/u_mLogin.h"
#include "locations/u_mLocatiiMagArt.h"
#include "platform/ui/Look.h"
#include "platform/ui/ModalShow.h"
#include "scan/u_dmWMS.h"
#include "scan/u_mDocActiveWMS.h"
#include "shell/WmsApp.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TmMenuWmsKT::TmMenuWmsKT(WmsApp& app) : app_(app)
{
    setObjectName(QStringLiteral("mMenuWmsKT"));
    setWindowTitle(QStringLiteral("mMenuWmsKT"));
    resize(415, 615);
    const QString makerAddress = app.settings().string(QStringLiteral("maker/webAddress"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Layout1 = new QWidget(this);
    Layout1->setFixedHeight(50);
    auto* top = new QHBoxLayout(Layout1);
    top->setContentsMargins(0, 0, 0, 0);
    ButtonLogin = new QPushButton(QStringLiteral("Login"), Layout1);
    ButtonLogin->setFixedWidth(81);
    ButtonLogin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    look::tomatoWhilePressed(*ButtonLogin);
    Label1 = new QLabel(QStringLiteral("nuv wms v.2023-04-07"), Layout1);
    Label1->setFixedWidth(250);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label1->setToolTip(makerAddress);
    look::colourText(*Label1, look::kChocolate);
    top->addWidget(ButtonLogin);
    top->addStretch();
    top->addWidget(Label1, 0, Qt::AlignTop);
    column->addWidget(Layout1);

    Layout2 = new QWidget(this);
    auto* body = new QGridLayout(Layout2);
    body->setContentsMargins(8, 8, 8, 8);
    body->setVerticalSpacing(4);
    ButtonDocDeScanat = new QPushButton(QStringLiteral("Documente de scanat"), Layout2);
    ButtonDocDeScanat->setFixedSize(273, 44);
    look::tomatoWhilePressed(*ButtonDocDeScanat);
    ButtonLocatiiArticole = new QPushButton(QStringLiteral("Locatii Articole in Magazii"), Layout2);
    ButtonLocatiiArticole->setFixedSize(273, 44);
    Label2 = new QLabel(QStringLiteral("nuv wms"), Layout2);
    Label2->setToolTip(makerAddress);
    look::colourText(*Label2, look::kChocolate);
    body->addWidget(ButtonDocDeScanat, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    body->addWidget(ButtonLocatiiArticole, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    body->addWidget(Label2, 0, 1, Qt::AlignRight | Qt::AlignTop);
    body->setRowStretch(2, 1);
    body->setColumnStretch(1, 1);
    column->addWidget(Layout2, 1);
    column->addStretch(); // keeps the top bar at the top while the body is hidden

    const ErrorHandler& errors = app.errors();
    connect(ButtonLogin, &QPushButton::clicked, this, errors.wrap([this] { ButtonLoginClick(); }));
    connect(ButtonDocDeScanat, &QPushButton::clicked, this, errors.wrap([this] { ButtonDocDeScanatClick(); }));
    connect(ButtonLocatiiArticole, &QPushButton::clicked, this, errors.wrap([this] { ButtonLocatiiArticoleClick(); }));

    setTabOrder(ButtonLogin, ButtonDocDeScanat);
    setTabOrder(ButtonDocDeScanat, ButtonLocatiiArticole);
    ButtonLogin->setFocus();
    errors.run([this] { FormCreate(); });
}

void TmMenuWmsKT::FormCreate()
{
    Layout2->hide();
}

void TmMenuWmsKT::ButtonLoginClick()
{
    showModal(*app_.mLogin, app_.errors().wrap([this](int result) { loginClosed(result); }));
}

void TmMenuWmsKT::loginClosed(int result)
{
    if (result != QDialog::Accepted)
        return;
    Layout1->hide();
    Layout2->show();
    app_.dmWMS->dsDocWMS.param(QStringLiteral("pEuPL")).setValue(app_.dmCon->glEuPL);
    ButtonDocDeScanat->setFocus();
}

void TmMenuWmsKT::ButtonDocDeScanatClick()
{
    showWindow(*app_.mDocActiveWMS);
}

void TmMenuWmsKT::ButtonLocatiiArticoleClick()
{
    showWindow(*app_.mLocatiiMagArt);
}

void TmMenuWmsKT::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}
