#include "data/u_dmCon.h"
#include "data/u_mLogin.h"
#include "scan/u_dmWMS.h"
#include "shell/u_mMenuWmsKT.h"
#include "tests/harness/AppFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A registry with one company, and in its database two operators (one
// discontinued), the applications and one role.
void prepare(AppFixture& f, const QString& jasIp = QStringLiteral("srv.example.com:8080"))
{
    f.registry.exec(QStringLiteral("insert into m_firma values ('Firma SRL', '%1', %2, '%3', true);")
                        .arg(f.company.server().host)
                        .arg(f.company.server().port)
                        .arg(f.company.name()));
    f.company.exec(
        QStringLiteral("insert into emitent (emitent, operator_parola, eu_punct_lucru, cod_casier_pos, "
                       "  magazie_sursa_default, da_nu_modif_data_listare, da_nu_fact_pe_calc, discontinued) values "
                       "  ('Ana', 'Secret1', 'PL Nord', 'C7', 'M1', true, true, false),"
                       "  ('Old', 'x', 'PL Nord', null, null, false, false, true);"
                       "insert into aplicatie_mob values ('mWmsKT', true), ('wSmsDravik', true), ('mWmsNUV', true), "
                       "  ('Off', false);"
                       "insert into aplicatie_mob_emitent values ('mWmsNUV', 'Ana', 'admin');"
                       "insert into eu (jas_ip) values (%1);")
            .arg(jasIp.isNull() ? QStringLiteral("null") : QStringLiteral("'%1'").arg(jasIp)));
}

// Opens the login from the menu as an operator would, types and clicks Login.
void login(AppFixture& f, const QString& company, const QString& user, const QString& password)
{
    TmMenuWmsKT& menu = *f.app().mMenuWmsKT;
    if (!menu.isVisible())
        menu.show();
    TmLogin& screen = *f.app().mLogin;
    if (!screen.isVisible())
        QTest::mouseClick(menu.ButtonLogin, Qt::LeftButton);
    screen.Edit1->setText(company);
    screen.Edit2->setText(user);
    screen.Edit3->setText(password);
    QTest::mouseClick(screen.Button1, Qt::LeftButton);
}

int auditRows(const AppFixture& f)
{
    return f.company.count(QStringLiteral("select count(*) from super_login_log_apl"));
}

struct Refusal {
    const char* name;
    const char* executable;
    const char* company;
    const char* user;
    const char* password;
    const char* message;
};
void PrintTo(const Refusal& c, std::ostream* os)
{
    *os << c.name;
}

class LoginRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(LoginRefusalTest, ShowsTheMessageAndStaysOpen)
{
    const Refusal& c = GetParam();
    AppFixture f({.executableName = QString::fromLatin1(c.executable)});
    prepare(f);
    login(f, QString::fromUtf8(c.company), QString::fromUtf8(c.user), QString::fromUtf8(c.password));

    EXPECT_EQ(f.errors(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_TRUE(f.app().mLogin->isVisible());
    EXPECT_TRUE(f.app().mMenuWmsKT->Layout1->isVisible());
    EXPECT_EQ(auditRows(f), 0);
    EXPECT_EQ(f.app().dmCon->glUser, QStringLiteral("B2B"));
    // The clean-up closed what the attempt opened.
    EXPECT_FALSE(f.app().mLogin->dsNuvMobil.isOpen());
    EXPECT_FALSE(f.app().dmCon->dsEmitent.isOpen());
    EXPECT_FALSE(f.app().dmCon->dsAplicatieMob.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoginRefusalTest,
    ::testing::Values(
        Refusal{"UnknownCompany", "mWmsKT", "Firma", "Ana", "Secret1", "Companie inexistenta."},
        Refusal{"EmptyCompany", "mWmsKT", "", "Ana", "Secret1", "Companie inexistenta."},
        Refusal{"CompanyCaseDiffers", "mWmsKT", "firma srl", "Ana", "Secret1", "Companie inexistenta."},
        Refusal{"WrongPassword", "mWmsKT", "Firma SRL", "Ana", "secret", "User, Password eronate."},
        Refusal{"PasswordCaseKept", "mWmsKT", "Firma SRL", "Ana", "secret1", "User, Password eronate."},
        Refusal{"OperatorNotTrimmed", "mWmsKT", "Firma SRL", "Ana ", "Secret1", "User, Password eronate."},
        Refusal{"OperatorCaseKept", "mWmsKT", "Firma SRL", "ana", "Secret1", "User, Password eronate."},
        Refusal{"DiscontinuedOperator", "mWmsKT", "Firma SRL", "Old", "x", "User, Password eronate."},
        Refusal{"ApplicationMissing", "mWmsXY", "Firma SRL", "Ana", "Secret1", "Aplicatia mwmsxy nu este disponibila."},
        Refusal{"ApplicationInactive", "Off.exe", "Firma SRL", "Ana", "Secret1", "Aplicatia Off nu este disponibila."},
        Refusal{"SiblingWithoutRole", "wSmsDravik", "Firma SRL", "Ana", "Secret1",
                "Aplicatia wsmsdravik, emitent Ana, nu are rol definit."}),
    [](const auto& param) { return std::string(param.param.name); });

struct Success {
    const char* name;
    const char* executable;
    const char* jasIp; // nullptr for NULL
    const char* protocol;
};
void PrintTo(const Success& c, std::ostream* os)
{
    *os << c.name;
}

class LoginSuccessTest : public ::testing::TestWithParam<Success> {};

TEST_P(LoginSuccessTest, FillsTheLoginStateAndOpensTheMenu)
{
    const Success& c = GetParam();
    AppFixture f({.executableName = QString::fromLatin1(c.executable)});
    prepare(f, c.jasIp ? QString::fromLatin1(c.jasIp) : QString());
    login(f, QStringLiteral("Firma SRL"), QStringLiteral("Ana"), QStringLiteral("Secret1"));

    ASSERT_EQ(f.errors(), QStringList());
    const TdmCon& dm = *f.app().dmCon;
    const QString title = f.app().title();
    EXPECT_FALSE(f.app().mLogin->isVisible());
    EXPECT_EQ(f.app().mLogin->result(), QDialog::Accepted);
    EXPECT_TRUE(f.app().mLogin->Edit3->text().isEmpty());
    EXPECT_EQ(dm.glNumeFirma, QStringLiteral("Firma SRL"));
    EXPECT_EQ(dm.glBrelo_company, QStringLiteral("Firma SRL"));
    EXPECT_EQ(dm.glBrelo_userName, QStringLiteral("Ana"));
    EXPECT_EQ(dm.glUser, QStringLiteral("Ana"));
    EXPECT_EQ(dm.glUserPass, QStringLiteral("Secret1"));
    EXPECT_EQ(dm.glEuPL, QStringLiteral("PL Nord"));
    EXPECT_EQ(dm.glEuPOS, QStringLiteral("C7"));
    EXPECT_EQ(dm.glEuMagSursaDefault, QStringLiteral("M1"));
    EXPECT_TRUE(dm.glEuDaNuModifDataListare);
    EXPECT_TRUE(dm.glDaNuEmisCalculator);
    EXPECT_EQ(dm.glJasIP, c.jasIp ? QString::fromLatin1(c.jasIp) : QString());
    EXPECT_EQ(dm.glJasProtocol, QString::fromLatin1(c.protocol));
    EXPECT_EQ(dm.conNuv.settings().host, f.company.server().host);
    EXPECT_EQ(dm.conNuv.settings().port, f.company.server().port);
    EXPECT_EQ(dm.conNuv.settings().database, f.company.name());
    EXPECT_EQ(f.company.scalar(QStringLiteral("select string_agg(concat_ws('|', utiliz, aplic, actiune), ',') "
                                              "from super_login_log_apl")),
              QStringLiteral("Ana|%1|in").arg(title));

    const TmMenuWmsKT& menu = *f.app().mMenuWmsKT;
    EXPECT_FALSE(menu.Layout1->isVisible());
    EXPECT_TRUE(menu.Layout2->isVisible());
    EXPECT_EQ(f.app().dmWMS->dsDocWMS.param(QStringLiteral("pEuPL")).value(), QVariant(QStringLiteral("PL Nord")));
}

INSTANTIATE_TEST_SUITE_P(Cases, LoginSuccessTest,
                         ::testing::Values(Success{"OurTitle", "mWmsKT", "srv.example.com:8080", "http"},
                                           Success{"TitleCaseIgnored", "MWMSKT.exe", "8080.example.com", "http"},
                                           Success{"SiblingWithRole", "mWmsNUV", "srv.example.com", "https"},
                                           Success{"NoJasIp", "mWmsKT", nullptr, "https"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(LoginTest, AMistypedCompanyIsRememberedButNeverThePassword)
{
    AppFixture f;
    prepare(f);
    login(f, QStringLiteral("Frma SRL"), QStringLiteral("Ana"), QStringLiteral("Secret1"));
    EXPECT_EQ(f.errors(), QStringList{QStringLiteral("Companie inexistenta.")});
    QFile file(f.home(QStringLiteral("nuvmob.json")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    EXPECT_TRUE(saved.contains("Frma SRL"));
    EXPECT_FALSE(saved.contains("Secret1"));

    // Shown again, in a later run, the form holds what was typed.
    f.app().mLogin->reject();
    AppFixture again;
    QFile::copy(f.home(QStringLiteral("nuvmob.json")), again.home(QStringLiteral("nuvmob.json")));
    again.app().mMenuWmsKT->show();
    QTest::mouseClick(again.app().mMenuWmsKT->ButtonLogin, Qt::LeftButton);
    EXPECT_EQ(again.app().mLogin->Edit1->text(), QStringLiteral("Frma SRL"));
    EXPECT_EQ(again.app().mLogin->Edit2->text(), QStringLiteral("Ana"));
    EXPECT_TRUE(again.app().mLogin->Edit3->text().isEmpty());
    EXPECT_EQ(again.app().mLogin->focusWidget(), again.app().mLogin->Edit3);
}

TEST(LoginTest, ACorruptRememberedLoginGivesAnEmptyFormAndIsReplaced)
{
    AppFixture f;
    prepare(f);
    {
        QFile file(f.home(QStringLiteral("nuvmob.json")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\"company\": \"Firma");
    }
    f.app().mMenuWmsKT->show();
    QTest::mouseClick(f.app().mMenuWmsKT->ButtonLogin, Qt::LeftButton);
    ASSERT_EQ(f.errors().size(), 1);
    EXPECT_TRUE(f.errors()[0].startsWith(QStringLiteral("The remembered login ") +
                                         f.home(QStringLiteral("nuvmob.json")) + QStringLiteral(" could not be read:")))
        << f.errors()[0].toStdString();
    EXPECT_TRUE(f.app().mLogin->Edit1->text().isEmpty());

    login(f, QStringLiteral("Firma SRL"), QStringLiteral("Ana"), QStringLiteral("Secret1"));
    EXPECT_EQ(f.errors().size(), 1);
    EXPECT_EQ(RememberedLogin::load(f.home(QStringLiteral("nuvmob.json"))).company, QStringLiteral("Firma SRL"));
}

TEST(LoginTest, ACompanyDatabaseLackingAnOperatorColumnFailsTheOperatorCheck)
{
    AppFixture f;
    prepare(f);
    f.company.exec(QStringLiteral("alter table emitent drop column data_export;"));
    login(f, QStringLiteral("Firma SRL"), QStringLiteral("Ana"), QStringLiteral("Secret1"));
    EXPECT_EQ(f.errors(), QStringList{QStringLiteral("dsEmitent: Field 'data_export' not found.")});
    EXPECT_TRUE(f.app().mLogin->isVisible());
}

TEST(LoginTest, OnWindowsEveryConnectionRequiresSsl)
{
    AppFixture f({.windows = true});
    prepare(f);
    login(f, QStringLiteral("Firma SRL"), QStringLiteral("Ana"), QStringLiteral("Secret1"));
    ASSERT_EQ(f.errors(), QStringList());
    const TdmCon& dm = *f.app().dmCon;
    for (const db::Connection* con : {&dm.conNuvMob, &dm.conNuvGen, &dm.conNuv})
        EXPECT_EQ(con->settings().sslMode, QStringLiteral("require")) << con->name().toStdString();
    EXPECT_EQ(
        f.company.scalar(
            QStringLiteral(
                "select string_agg(distinct s.ssl::text, ',') from pg_stat_ssl s "
                "join pg_stat_activity a using (pid) where a.application_name = 'mwmskt' and a.datname in ('%1', '%2')")
                .arg(f.company.name(), f.registry.name())),
        QStringLiteral("true"));
}

TEST(LoginTest, OnWindowsARegistryWithoutSslIsRefused)
{
    const TestServer plain = TestServer::plain();
    TestDatabase registry(QStringLiteral("tpl_registry"), plain);
    AppFixture f(
        {.extraSettings =
             QStringLiteral("[database]\ncentralPort=%1\nregistryDatabase=%2\n").arg(plain.port).arg(registry.name()),
         .windows = true});
    login(f, QStringLiteral("Firma SRL"), QStringLiteral("Ana"), QStringLiteral("Secret1"));
    EXPECT_EQ(f.errors(), QStringList{QStringLiteral("SSL connection is not allowed.")});
}

} // namespace
