#include "data/u_dmCon.h"
#include "platform/db/DbError.h"
#include "scan/u_dmWMS.h"
#include "tests/harness/AppFixture.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TEST(dmConTest, CreationSetsTheDefaultOperator)
{
    AppFixture f;
    EXPECT_EQ(f.app().dmCon->glUser, QStringLiteral("B2B"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[a-z0-9]{6}$")).match(f.app().dmCon->glUserPass).hasMatch());
    EXPECT_TRUE(f.app().dmCon->glEuPL.isEmpty());
    EXPECT_FALSE(f.app().dmCon->glDaNuEmisCalculator);
}

// Every query the client opens finds its declared columns in the contract.
TEST(dmConTest, QueriesOpenAgainstTheContract)
{
    AppFixture f;
    f.targetCompany();
    f.company.exec(QStringLiteral("insert into emitent (emitent, operator_parola, eu_punct_lucru, cod_casier_pos) "
                                  "values ('ana', 'pw', 'PL1', 'C7');"
                                  "insert into eu (jas_ip) values ('10.0.0.5:8080');"));
    TdmCon& dm = *f.app().dmCon;
    dm.dsEmitent.param(QStringLiteral("pEmitent")).setValue(QStringLiteral("ana"));
    dm.dsEmitent.param(QStringLiteral("pP")).setValue(QStringLiteral("pw"));
    dm.dsAplicatieMob.param(QStringLiteral("pAplicatieMob")).setValue(QStringLiteral("mwmskt"));
    dm.dsAplicatieMobEmitent.param(QStringLiteral("pAplicatieMob")).setValue(QStringLiteral("mwmskt"));
    dm.dsAplicatieMobEmitent.param(QStringLiteral("pEmitent")).setValue(QStringLiteral("ana"));
    dm.o_cl_doc_verif_list.param(QStringLiteral("p_data_doc")).setValue(QDate(2024, 1, 1));
    dm.o_cl_doc_verif_list.param(QStringLiteral("p_tip_doc")).setValue(QStringLiteral("NIR"));
    dm.o_cl_doc_verif_list.param(QStringLiteral("p_nr_doc")).setValue(QStringLiteral("1"));
    TdmWMS& wms = *f.app().dmWMS;
    wms.dsDocWMS.param(QStringLiteral("pEuPL")).setValue(QStringLiteral("PL1"));
    wms.dsDocDeScanatKT.param(QStringLiteral("pDataDoc")).setValue(QDate(2024, 1, 1));
    wms.dsDocDeScanatKT.param(QStringLiteral("pTipDoc")).setValue(QStringLiteral("NIR"));
    wms.dsDocDeScanatKT.param(QStringLiteral("pNrDoc")).setValue(QStringLiteral("1"));
    wms.dsMagazie.param(QStringLiteral("pEuPL")).setValue(QStringLiteral("PL1"));

    for (db::Query* q : {&dm.dsEmitent, &dm.dsAplicatieMob, &dm.dsAplicatieMobEmitent, &dm.dsEu, &dm.dsSuperLoginLogApl,
                         &dm.dsMoneda, &dm.dsDataPostgreSQL, &dm.dsConfigNuv, &dm.o_cl_doc_verif_list, &wms.dsDocWMS,
                         &wms.dsDocDeScanatKT, &wms.dsArticol, &wms.dsMagazie}) {
        SCOPED_TRACE(q->name().toStdString());
        EXPECT_NO_THROW(q->open());
    }
    EXPECT_EQ(dm.dsEmitenteu_punct_lucru.asString(), QStringLiteral("PL1"));
    EXPECT_EQ(dm.dsEmitentcod_casier_pos.asString(), QStringLiteral("C7"));
    EXPECT_FALSE(dm.dsEmitentda_nu_fact_pe_calc.asBool());
    EXPECT_EQ(dm.dsEujas_ip.asString(), QStringLiteral("10.0.0.5:8080"));
    EXPECT_FALSE(dm.o_cl_doc_verif_list.currentValue(QStringLiteral("o_cl_doc_verif_list")).toBool());
}

TEST(dmConTest, ACompanyDatabaseLackingAnOperatorColumnFailsTheOperatorCheck)
{
    AppFixture f;
    f.targetCompany();
    f.company.exec(QStringLiteral("alter table emitent drop column vede_pret_stoc;"));
    TdmCon& dm = *f.app().dmCon;
    dm.dsEmitent.param(QStringLiteral("pEmitent")).setValue(QStringLiteral("ana"));
    dm.dsEmitent.param(QStringLiteral("pP")).setValue(QStringLiteral("pw"));
    try {
        dm.dsEmitent.open();
        FAIL() << "opened without vede_pret_stoc";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("dsEmitent: Field 'vede_pret_stoc' not found"));
    }
}

TEST(dmConTest, TheRegistryConnectionFollowsTheSettingsFile)
{
    AppFixture f;
    TdmCon& dm = *f.app().dmCon;
    EXPECT_EQ(dm.conNuvMob.settings().database, f.registry.name());
    EXPECT_EQ(dm.conNuvMob.settings().user, QStringLiteral("nuv"));
    EXPECT_EQ(dm.conNuvMob.settings().sslMode, QStringLiteral("disable"));
    EXPECT_EQ(dm.conNuvMob.settings().applicationName, QStringLiteral("mwmskt"));
    EXPECT_EQ(dm.conNuvMob.settings().connectTimeoutSeconds, 15);
    EXPECT_EQ(dm.conNuvGen.settings().database, f.general.name());
    EXPECT_EQ(dm.conNuv.settings().database, QStringLiteral("nuv1"));

    AppFixture ssl({.extraSettings = QStringLiteral("\n[database]\nsslMode=verify-full\nidleCloseSeconds=0\n")});
    EXPECT_EQ(ssl.app().dmCon->conNuvMob.settings().sslMode, QStringLiteral("verify-full"));
    EXPECT_EQ(ssl.app().dmCon->conNuv.settings().idleCloseMs, 0);
}

TEST(dmConTest, AMissingSettingsFileIsNamedAtTheFirstConnection)
{
    AppEnvironment environment;
    environment.executablePath = QStringLiteral("/nowhere/mWmsKT");
    environment.settingsFile = QStringLiteral("/nowhere/mwmskt.ini");
    environment.homeFolder = QStringLiteral("/nowhere");
    WmsApp app(environment); // creation itself does not fail
    db::Query q(QStringLiteral("dsNuvMobil"), app.dmCon->conNuvMob);
    q.setSql(QStringLiteral("select 1"));
    try {
        q.open();
        FAIL() << "connected without settings";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("The settings file /nowhere/mwmskt.ini does not exist; it must set "
                                              "database/password, database/centralHost"));
    }
}

} // namespace
