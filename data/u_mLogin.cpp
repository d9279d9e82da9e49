#include "data/u_mLogin.h"

#include "data/u_dmCon.h"
#include "platform/Download.h"
#include "platform/Error.h"
#include "platform/ui/Look.h"
#include "shell/WmsApp.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kRememberedWidth = 200;

QLineEdit* makeEdit(QWidget* parent, int y)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(128, y, 193, 32);
    return edit;
}

} // namespace

const QStringList& TmLogin::soundFiles()
{
    static const QStringList files{QStringLiteral("beepERR.mp3"), QStringLiteral("beepOK.mp3"),
                                   QStringLiteral("beepGata.mp3")};
    return files;
}

TmLogin::TmLogin(WmsApp& app) : dsNuvMobil(QStringLiteral("dsNuvMobil"), app.dmCon->conNuvMob), app_(app)
{
    setObjectName(QStringLiteral("mLogin"));
    setWindowTitle(QStringLiteral("mLogin"));
    setFixedSize(415, 196);

    Label1 = new QLabel(QStringLiteral("Company"), this);
    Label1->move(32, 16 + 8);
    Edit1 = makeEdit(this, 16);
    Edit1->setMaxLength(kRememberedWidth);
    Label2 = new QLabel(QStringLiteral("UserName"), this);
    Label2->move(32, 56 + 8);
    Edit2 = makeEdit(this, 56);
    Edit2->setMaxLength(kRememberedWidth);
    Edit3 = makeEdit(this, 96);
    Edit3->setEchoMode(QLineEdit::Password);
    Edit3->setPlaceholderText(QStringLiteral("password"));
    Button1 = new QPushButton(QStringLiteral("Login"), this);
    Button1->setGeometry(24, 88, 81, 49);
    Button1->setDefault(true); // Enter in any edit logs in
    look::tomatoWhilePressed(*Button1);

    setTabOrder(Button1, Edit1);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);

    // The remembered values follow the edits when they are left.
    connect(Edit1, &QLineEdit::editingFinished, this, [this] { dsLogin.company = Edit1->text(); });
    connect(Edit2, &QLineEdit::editingFinished, this, [this] { dsLogin.userName = Edit2->text(); });
    connect(Button1, &QPushButton::clicked, this, app.errors().wrap([this] { Button1Click(); }));

    dsNuvMobil.setSql(QStringLiteral("select *\n"
                                     "from m_firma\n"
                                     "where nume_firma = :pNumeFirma\n"
                                     ";"));
    dsNuvMobil.declare({db::FieldDef::text(QStringLiteral("nume_firma"), 200, db::Required),
                        db::FieldDef::of(QStringLiteral("ip"), db::FieldType::Memo),
                        db::FieldDef::of(QStringLiteral("port"), db::FieldType::Int32),
                        db::FieldDef::of(QStringLiteral("db_name"), db::FieldType::Memo),
                        db::FieldDef::of(QStringLiteral("activ"), db::FieldType::Bool)});
}

void TmLogin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Edit3->setFocus();
    app_.errors().run([this] { FormShow(); });
}

QString TmLogin::rememberedLoginPath() const
{
    return QDir(app_.environment().homeFolder).filePath(QStringLiteral("nuvmob.json"));
}

QString TmLogin::downloadMissingSounds() const
{
    const DeploymentSettings& settings = app_.settings();
    const QString key = QStringLiteral("sounds/url");
    QStringList failures;
    for (const QString& name : soundFiles()) {
        const QString path = QDir(app_.environment().homeFolder).filePath(name);
        if (QFileInfo::exists(path))
            continue;
        if (const QString missing = settings.missing({key}); !missing.isEmpty())
            return QStringLiteral("Could not download %1: %2").arg(name, missing);
        const QUrl url(settings.string(key) + name);
        const Download download = downloadFile(url, path, soundTimeoutMs);
        if (download.failure.isEmpty())
            continue;
        failures << QStringLiteral("Could not download %1 from %2: %3").arg(name, url.toString(), download.failure);
        // A server that stopped answering would keep the operator waiting
        // once more for every file; the next showing tries again.
        if (download.timedOut)
            break;
    }
    return failures.join(QLatin1Char('\n'));
}

void TmLogin::FormShow()
{
    // A sound server that is down costs the sounds, not the remembered login.
    const QString soundFailure = downloadMissingSounds();
    QString loadFailure;
    try {
        dsLogin = RememberedLogin::load(rememberedLoginPath());
    } catch (const Error& e) {
        dsLogin = {};
        loadFailure = e.message();
    }
    Edit1->setText(dsLogin.company);
    Edit2->setText(dsLogin.userName);
    for (const QString& failure : {soundFailure, loadFailure}) {
        if (!failure.isEmpty())
            app_.errors().reporter().showError(failure);
    }
}

void TmLogin::Button1Click()
{
    loginSequence();
    // Only a sequence that reached its end closes the screen with OK.
    Edit3->clear();
    accept();
}

void TmLogin::closeLoginQueries()
{
    TdmCon& dm = *app_.dmCon;
    dm.dsAplicatieMob.close();
    dm.dsEmitent.close();
    dsNuvMobil.close();
    dm.dsEu.close();
}

void TmLogin::loginSequence()
{
    TdmCon& dm = *app_.dmCon;
    const QString title = app_.title();
    const QString company = Edit1->text();
    const QString user = Edit2->text();
    const QString password = Edit3->text();

    // 1. Remembered before any check, so a mistyped company is kept too.
    dsLogin.company = company;
    dsLogin.userName = user;
    dsLogin.save(rememberedLoginPath());

    // 2. Windows terminals always go over SSL.
    if (app_.environment().windows) {
        for (db::Connection* con : {&dm.conNuvMob, &dm.conNuvGen, &dm.conNuv})
            con->setSslMode(QStringLiteral("require"));
    }

    // 3-4.
    dm.glNumeFirma = company;
    dsNuvMobil.close();
    dsNuvMobil.param(QStringLiteral("pNumeFirma")).setValue(company);
    dsNuvMobil.open();

    struct CleanUp {
        TmLogin* login;
        ~CleanUp() { login->closeLoginQueries(); }
    } cleanUp{this};

    // 5-6.
    if (dsNuvMobil.isEmpty())
        throw Error(QStringLiteral("Companie inexistenta"));
    dm.conNuv.setServer(dsNuvMobil.currentValue(QStringLiteral("ip")).toString());
    dm.conNuv.setPort(int(dsNuvMobil.currentValue(QStringLiteral("port")).toLongLong()));
    dm.conNuv.setDatabase(dsNuvMobil.currentValue(QStringLiteral("db_name")).toString());

    // 7-8.
    dm.dsEmitent.close();
    dm.dsEmitent.param(QStringLiteral("pEmitent")).setValue(user);
    dm.dsEmitent.param(QStringLiteral("pP")).setValue(password);
    dm.dsEmitent.open();
    if (dm.dsEmitent.isEmpty())
        throw Error(QStringLiteral("User, Password eronate"));
    dm.glEuPL = dm.dsEmitenteu_punct_lucru.asString();
    dm.glEuPOS = dm.dsEmitentcod_casier_pos.asString();
    dm.glEuDaNuModifDataListare = dm.dsEmitentda_nu_modif_data_listare.asBool();
    dm.glEuMagSursaDefault = dm.dsEmitentmagazie_sursa_default.asString();
    dm.glDaNuEmisCalculator = dm.dsEmitentda_nu_fact_pe_calc.asBool();

    // 9.
    dm.dsAplicatieMob.close();
    dm.dsAplicatieMob.param(QStringLiteral("pAplicatieMob")).setValue(title);
    dm.dsAplicatieMob.open();
    if (dm.dsAplicatieMob.isEmpty())
        throw Error(QStringLiteral("Aplicatia ") + title + QStringLiteral(" nu este disponibila"));

    // 10-11. Only two sibling applications consult the role.
    dm.dsAplicatieMobEmitent.close();
    dm.dsAplicatieMobEmitent.param(QStringLiteral("pAplicatieMob")).setValue(title);
    dm.dsAplicatieMobEmitent.param(QStringLiteral("pEmitent")).setValue(user);
    dm.dsAplicatieMobEmitent.open();
    dm.glUserRol = dm.dsAplicatieMobEmitentrol.asString();
    dm.dsAplicatieMobEmitent.close();
    const QString lowerTitle = title.toLower();
    if ((lowerTitle == QStringLiteral("wsmsdravik") || lowerTitle == QStringLiteral("mwmsnuv")) &&
        dm.glUserRol.isEmpty())
        throw Error(QStringLiteral("Aplicatia ") + title + QStringLiteral(", emitent ") + user +
                    QStringLiteral(", nu are rol definit."));

    // 12-13.
    dm.glBrelo_company = dsNuvMobil.currentValue(QStringLiteral("nume_firma")).toString();
    dm.glBrelo_userName = user;
    dm.glUser = user;
    dm.glUserPass = password;

    // 14.
    if (dm.dsEu.isOpen())
        dm.dsEu.refresh();
    else
        dm.dsEu.open();
    dm.glJasIP = dm.dsEujas_ip.asString();
    dm.glJasProtocol = dm.glJasIP.contains(QStringLiteral("8080")) ? QStringLiteral("http") : QStringLiteral("https");

    // 15. The audit row.
    dm.dsSuperLoginLogApl.open();
    dm.dsSuperLoginLogApl.append();
    dm.dsSuperLoginLogAplutiliz.setValue(dm.glUser);
    dm.dsSuperLoginLogAplaplic.setValue(title);
    dm.dsSuperLoginLogAplactiune.setValue(QStringLiteral("in"));
    dm.dsSuperLoginLogApl.post();
    dm.dsSuperLoginLogApl.close();
}
