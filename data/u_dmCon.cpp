#include "data/u_dmCon.h"

#include "shell/WmsApp.h"

namespace {

// The design-time user of all three connections; the password is the site's.
const QString kUser = QStringLiteral("nuv");

db::ConnectionSettings connectionSettings(const WmsApp& app, const QString& host, int port, const QString& database,
                                          const QStringList& needed)
{
    const DeploymentSettings& settings = app.settings();
    db::ConnectionSettings s;
    s.user = kUser;
    s.password = settings.string(QStringLiteral("database/password"));
    s.host = host;
    s.port = port;
    s.database = database;
    s.sslMode = settings.string(QStringLiteral("database/sslMode"), QStringLiteral("disable"));
    s.applicationName = app.title();
    s.idleCloseMs = settings.integer(QStringLiteral("database/idleCloseSeconds"), 60) * 1000;
    s.unusableReason = settings.missing(needed);
    return s;
}

db::ConnectionSettings companySettings(const WmsApp& app)
{
    const DeploymentSettings& s = app.settings();
    return connectionSettings(app, s.string(QStringLiteral("database/companyHost")),
                              s.integer(QStringLiteral("database/companyPort"), 5432),
                              s.string(QStringLiteral("database/companyDatabase"), QStringLiteral("nuv1")),
                              {QStringLiteral("database/password")});
}

db::ConnectionSettings centralSettings(const WmsApp& app, const QString& databaseKey, const QString& database)
{
    const DeploymentSettings& s = app.settings();
    return connectionSettings(app, s.string(QStringLiteral("database/centralHost")),
                              s.integer(QStringLiteral("database/centralPort"), 5432), s.string(databaseKey, database),
                              {QStringLiteral("database/password"), QStringLiteral("database/centralHost")});
}

std::vector<db::FieldDef> emitentFields()
{
    return {db::FieldDef::text("emitent", 100, db::Required),
            db::FieldDef::text("emitent_corect", 100),
            db::FieldDef::of("este_emitent", db::FieldType::Bool, db::Required),
            db::FieldDef::of("este_operator", db::FieldType::Bool, db::Required),
            db::FieldDef::of("este_comisionar", db::FieldType::Bool, db::Required),
            db::FieldDef::of("este_sofer", db::FieldType::Bool, db::Required),
            db::FieldDef::text("operator_parola", 20),
            db::FieldDef::text("cod_casier_pos", 10),
            db::FieldDef::text("banca_eu_default", 100),
            db::FieldDef::text("cont_banca_eu_default", 28),
            db::FieldDef::text("casa", 50),
            db::FieldDef::text("moneda", 3),
            db::FieldDef::text("magazie_sursa_default", 5),
            db::FieldDef::text("magazie_dest_default", 5),
            db::FieldDef::text("functie", 30),
            db::FieldDef::text("eu_punct_lucru", 50, db::Required),
            db::FieldDef::text("com_int", 25),
            db::FieldDef::text("loc", 25),
            db::FieldDef::text("nr_obiect", 20),
            db::FieldDef::text("ci_nume", 30),
            db::FieldDef::text("ci_serie", 3),
            db::FieldDef::text("ci_nr", 25),
            db::FieldDef::of("ci_data_elib", db::FieldType::Date),
            db::FieldDef::text("ci_elib", 25),
            db::FieldDef::text("cnp", 25),
            db::FieldDef::text("transport_mijloc", 25),
            db::FieldDef::text("transport_nr", 25),
            db::FieldDef::of("da_nu_schimbare_pl", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_adaugare_partener", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_adaugare_articol", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_acces_la_politica_pret", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_modif_data_listare", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_acces_limita_creditare", db::FieldType::Bool, db::Required),
            db::FieldDef::of("prez_of_stoc_fact_cl", db::FieldType::Bool, db::Required),
            db::FieldDef::of("prez_of_stoc_av_exp", db::FieldType::Bool, db::Required),
            db::FieldDef::of("prez_of_stoc_bte", db::FieldType::Bool, db::Required),
            db::FieldDef::of("prez_of_stoc_bc", db::FieldType::Bool, db::Required),
            db::FieldDef::of("pret_fact_cl_cu_tva", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_fact_pe_calc", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_modif_nr_fact_pe_calc", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_fact_autocopy", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_aviz_autocopy", db::FieldType::Bool, db::Required),
            db::FieldDef::of("da_nu_modif_data_livrare", db::FieldType::Bool, db::Required),
            db::FieldDef::of("nr_zile_prezentare_doc", db::FieldType::Int32),
            db::FieldDef::of("data_ins", db::FieldType::Date, db::Required),
            db::FieldDef::of("da_nu_fact_ci_rosu", db::FieldType::Bool),
            db::FieldDef::text("em_email_adr", 50),
            db::FieldDef::text("tel_fix", 30),
            db::FieldDef::text("tel_mobil", 30),
            db::FieldDef::of("proc_comisionar", db::FieldType::Float),
            db::FieldDef::text("em_outgoing_email_server", 50),
            db::FieldDef::of("em_outgoing_email_port", db::FieldType::Int32),
            db::FieldDef::of("em_outgoing_email_secure", db::FieldType::Bool, db::Required),
            db::FieldDef::text("em_outgoing_email_user", 50),
            db::FieldDef::text("em_outgoing_email_psw", 50),
            db::FieldDef::of("em_outlook", db::FieldType::Bool, db::Required),
            db::FieldDef::text("lang", 15),
            db::FieldDef::text("rol_web", 25),
            db::FieldDef::text("rol_win", 25),
            db::FieldDef::text("web_theme", 25),
            db::FieldDef::of("discontinued", db::FieldType::Bool, db::Required),
            db::FieldDef::of("data_export", db::FieldType::Timestamp),
            db::FieldDef::of("data_import", db::FieldType::Timestamp),
            db::FieldDef::of("vede_pret_stoc", db::FieldType::Bool)};
}

// Only jas_ip is read; the others are required to exist, whatever their type.
std::vector<db::FieldDef> euFields()
{
    std::vector<db::FieldDef> fields;
    for (const char* name : {"cod_cci",
                             "atribut_fiscal",
                             "tip_societate",
                             "reg_comert_jud",
                             "reg_comert_nr",
                             "reg_comert_data",
                             "reg_comert_jud_suc",
                             "reg_comert_nr_suc",
                             "reg_comert_data_suc",
                             "cnp_a",
                             "eu",
                             "eu_sediu",
                             "data_incep_activitate",
                             "trezoreria",
                             "trezoreria_cont",
                             "data_gen_fact",
                             "tara",
                             "localit",
                             "adresa",
                             "telefon",
                             "fax",
                             "email_adr",
                             "web_adr",
                             "nr_insp_munca",
                             "nr_pers_hand_suta_ang",
                             "da_nu_modif_ore_prez",
                             "da_nu_dimin_avans_cu_ret",
                             "formula_calcul_co",
                             "proc_avans_co",
                             "formula_calcul_avans_q",
                             "formula_calcul_penalitati",
                             "proc_avans",
                             "rotunjire_avans",
                             "rotunjire_lichidare",
                             "proc_diminuare_bugetari",
                             "nr_autorizatie_alcool",
                             "metoda_stoc",
                             "da_nu_scadere_stoc_in_viitor",
                             "da_nu_impozit_profit",
                             "da_nu_nevoi_firma",
                             "da_nu_platitor_tva_in_vama",
                             "proc_impozit_profit",
                             "proc_deductibilitate",
                             "prez_of_stoc_fact_cl",
                             "da_nu_postcalcul",
                             "prez_of_stoc_av_exp",
                             "prez_of_stoc_bte",
                             "prez_of_stoc_bc",
                             "pret_fact_cl_cu_tva",
                             "pret_nir_cu_tva",
                             "pret_cmd_client_cu_tva",
                             "da_nu_tva_neexigibil",
                             "da_nu_list_fact_pr_ctl",
                             "da_nu_list_fact_neop_stoc",
                             "da_nu_bon_pe_calc",
                             "da_nu_cmd_pe_extrasb",
                             "da_nu_fact_pe_calc",
                             "da_nu_fact_autocopy",
                             "da_nu_aviz_autocopy",
                             "da_nu_nir_in_mag_dest",
                             "tip_contabilitate",
                             "da_nu_politica_pret_punct_lucru",
                             "da_nu_nota_c_fara_restrictie",
                             "da_nu_mon_cont_tip_doc",
                             "data_denominare",
                             "da_nu_balanta_pe_obiective",
                             "da_nu_rezervare_stoc",
                             "da_nu_contare_avz_c",
                             "da_nu_contare_nirad",
                             "norma",
                             "data_avans",
                             "data_lichidare",
                             "strada",
                             "nr_strada",
                             "bloc",
                             "scara",
                             "etaj",
                             "apt",
                             "sector",
                             "cod_postal_adresa",
                             "sup_eu_denumire",
                             "sup_eu_cui",
                             "eu_cui",
                             "eu_cif",
                             "eu_reprezentant_legal",
                             "val_limita_casa_lei",
                             "proc_penaliz_intirziere",
                             "cod_forma_proprietate",
                             "cod_forma_organizare",
                             "cod_tip_societate",
                             "cod_caen",
                             "cod_siruta",
                             "tip_administrare_soc",
                             "capital_social",
                             "da_nu_autoinchidere_cmd_client",
                             "da_nu_autoinchidere_cmd_furn",
                             "da_nu_institutie_publica",
                             "casa_asig_sanatate",
                             "nr_licenta_turism",
                             "da_nu_balanta_pe_subunitati",
                             "da_nu_b_casa_stoc",
                             "da_nu_b_casa_articol",
                             "da_nu_salarii_in_postcalcul",
                             "da_nu_turism_in_comision",
                             "da_nu_confirmare_comanda",
                             "da_nu_micro_intreprindere",
                             "da_nu_tva_nededus_cont_separat",
                             "jas_ip",
                             "jas_ip_ext",
                             "mod_plata_tva",
                             "gln",
                             "reges_cod_tip_angajator",
                             "reges_cod_forma_organizare",
                             "reges_cod_forma_juridica",
                             "reges_cod_tip_societate",
                             "reges_cod_forma_proprietate",
                             "reges_cod_act_id_pf"})
        fields.push_back(db::FieldDef::of(QString::fromLatin1(name), db::FieldType::Memo));
    return fields;
}

} // namespace

TdmCon::TdmCon(WmsApp& app)
    : conNuv(QStringLiteral("conNuv"), companySettings(app)),
      conNuvMob(QStringLiteral("conNuvMob"),
                centralSettings(app, QStringLiteral("database/registryDatabase"), QStringLiteral("nuv_mob"))),
      conNuvGen(QStringLiteral("conNuvGen"),
                centralSettings(app, QStringLiteral("database/generalDatabase"), QStringLiteral("nuv_gen"))),
      dsEmitent(QStringLiteral("dsEmitent"), conNuv), dsAplicatieMob(QStringLiteral("dsAplicatieMob"), conNuv),
      dsAplicatieMobEmitent(QStringLiteral("dsAplicatieMobEmitent"), conNuv), dsEu(QStringLiteral("dsEu"), conNuv),
      dsSuperLoginLogApl(QStringLiteral("dsSuperLoginLogApl"), conNuv), dsMoneda(QStringLiteral("dsMoneda"), conNuv),
      dsDataPostgreSQL(QStringLiteral("dsDataPostgreSQL"), conNuv), dsConfigNuv(QStringLiteral("dsConfigNuv"), conNuv),
      o_cl_doc_verif_list(QStringLiteral("o_cl_doc_verif_list"), conNuv),
      dsEmitenteu_punct_lucru(dsEmitent, QStringLiteral("eu_punct_lucru")),
      dsEmitentcod_casier_pos(dsEmitent, QStringLiteral("cod_casier_pos")),
      dsEmitentda_nu_modif_data_listare(dsEmitent, QStringLiteral("da_nu_modif_data_listare")),
      dsEmitentmagazie_sursa_default(dsEmitent, QStringLiteral("magazie_sursa_default")),
      dsEmitentda_nu_fact_pe_calc(dsEmitent, QStringLiteral("da_nu_fact_pe_calc")),
      dsAplicatieMobEmitentrol(dsAplicatieMobEmitent, QStringLiteral("rol")),
      dsEujas_ip(dsEu, QStringLiteral("jas_ip")),
      dsSuperLoginLogAplutiliz(dsSuperLoginLogApl, QStringLiteral("utiliz")),
      dsSuperLoginLogAplaplic(dsSuperLoginLogApl, QStringLiteral("aplic")),
      dsSuperLoginLogAplactiune(dsSuperLoginLogApl, QStringLiteral("actiune"))
{
    declareQueries();
    DataModuleCreate();
}

void TdmCon::declareQueries()
{
    using db::FieldDef;
    using db::FieldType;

    dsEmitent.setSql(QStringLiteral("select *\n"
                                    "from emitent\n"
                                    "where emitent = :pEmitent\n"
                                    "  and operator_parola = :pP\n"
                                    "  and not discontinued"));
    dsEmitent.declare(emitentFields());

    dsAplicatieMob.setSql(QStringLiteral("select *\n"
                                         "from aplicatie_mob\n"
                                         "where lower(aplicatie_mob) = lower(:pAplicatieMob)\n"
                                         "  and activ\n"
                                         ";"));

    dsAplicatieMobEmitent.setSql(QStringLiteral("select *\n"
                                                "from aplicatie_mob_emitent\n"
                                                "where lower(aplicatie_mob) = lower(:pAplicatieMob)\n"
                                                "  and emitent              = :pEmitent\n"
                                                ";"));
    dsAplicatieMobEmitent.declare({FieldDef::text(QStringLiteral("aplicatie_mob"), 100, db::Required),
                                   FieldDef::text(QStringLiteral("emitent"), 100, db::Required),
                                   FieldDef::of(QStringLiteral("rol"), FieldType::Memo)});

    dsEu.setSql(QStringLiteral("select *\n"
                               "from eu\n"
                               ";"));
    dsEu.declare(euFields());

    dsSuperLoginLogApl.setSql(QStringLiteral("select utiliz,\n"
                                             "       aplic,\n"
                                             "       actiune\n"
                                             "from super_login_log_apl\n"
                                             "where false\n" // only appended to: no need to read the audit
                                             ";"));
    dsSuperLoginLogApl.declare({FieldDef::text(QStringLiteral("utiliz"), 200),
                                FieldDef::text(QStringLiteral("aplic"), 200),
                                FieldDef::text(QStringLiteral("actiune"), 100)});
    dsSuperLoginLogApl.setUpdateTable(QStringLiteral("super_login_log_apl"));

    dsMoneda.setSql(QStringLiteral("select moneda\n"
                                   "from moneda\n"
                                   "where not discontinued\n"
                                   "order by moneda\n"
                                   ";"));
    dsMoneda.declare({FieldDef::text(QStringLiteral("moneda"), 3, db::Required)});

    dsDataPostgreSQL.setSql(
        QStringLiteral("select current_timestamp as data_postgresql,\n"
                       "       localtimestamp as data_postgresql_lt,\n"
                       "       to_char(current_timestamp, 'YYYYMMDDHH24MISSUS') as data_postgresql_fmt\n"
                       ";"));
    dsDataPostgreSQL.declare({FieldDef::of(QStringLiteral("data_postgresql"), FieldType::Timestamp),
                              FieldDef::of(QStringLiteral("data_postgresql_lt"), FieldType::Timestamp),
                              FieldDef::of(QStringLiteral("data_postgresql_fmt"), FieldType::Memo)});

    dsConfigNuv.setSql(QStringLiteral("select *\n"
                                      "from config_nuv\n"
                                      ";"));

    o_cl_doc_verif_list.setSql(QStringLiteral("SELECT o_cl_doc_verif_list(:p_data_doc, :p_tip_doc, :p_nr_doc)"));
    o_cl_doc_verif_list.setParamType(QStringLiteral("p_data_doc"), db::ParamType::Date);
    o_cl_doc_verif_list.setParamType(QStringLiteral("p_tip_doc"), db::ParamType::Memo);
    o_cl_doc_verif_list.setParamType(QStringLiteral("p_nr_doc"), db::ParamType::Memo);
    o_cl_doc_verif_list.declare(FieldDef::of(QStringLiteral("o_cl_doc_verif_list"), FieldType::Bool));
}

void TdmCon::DataModuleCreate()
{
    glUser = QStringLiteral("B2B");
    glUserPass = QStringLiteral("kt7b2b");
}
