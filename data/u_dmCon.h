#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Query.h"

#include <QString>

class WmsApp;

// The three connections, the queries the login runs, and the login state.
// Every module and screen reaches the database through these connections.
class TdmCon {
public:
    explicit TdmCon(WmsApp& app);

    void DataModuleCreate();

    db::Connection conNuv;    // the company database; re-targeted at login
    db::Connection conNuvMob; // the registry of companies
    db::Connection conNuvGen; // the general database; configured, never queried

    db::Query dsEmitent;
    db::Query dsAplicatieMob;
    db::Query dsAplicatieMobEmitent;
    db::Query dsEu;
    db::Query dsSuperLoginLogApl;
    db::Query dsMoneda;
    db::Query dsDataPostgreSQL;
    db::Query dsConfigNuv;
    db::Query o_cl_doc_verif_list;

    db::Field dsEmitenteu_punct_lucru;
    db::Field dsEmitentcod_casier_pos;
    db::Field dsEmitentda_nu_modif_data_listare;
    db::Field dsEmitentmagazie_sursa_default;
    db::Field dsEmitentda_nu_fact_pe_calc;
    db::Field dsAplicatieMobEmitentrol;
    db::Field dsEujas_ip;
    db::Field dsSuperLoginLogAplutiliz;
    db::Field dsSuperLoginLogAplaplic;
    db::Field dsSuperLoginLogAplactiune;

    // Login state.
    QString glNumeFirma;
    QString glUser;
    QString glUserPass;
    QString glUserRol;
    QString glEuPL;
    QString glEuPOS;
    QString glJasIP;
    QString glJasProtocol;
    QString glB2B_userEmailAdr;
    QString glB2B_userName;
    QString glB2B_furnizor;
    QString glB2B_cifClient;
    QString glB2B_client;
    QString SelPartener;
    QString SelPartenerPL;
    QString SelPartenerMonedaDefault;
    QString SelMagazie;
    QString SelComInt;
    QString glBrelo_company;
    QString glBrelo_userName;
    QString glawb;
    bool glEuDaNuModifDataListare = false;
    QString glEuMagSursaDefault;
    bool glDaNuEmisCalculator = false;

private:
    void declareQueries();
};
