#include "scan/u_dmWMS.h"

#include "data/u_dmCon.h"
#include "shell/WmsApp.h"

using db::FieldDef;
using db::FieldType;

TdmWMS::TdmWMS(WmsApp& app)
    : dsDocWMS(QStringLiteral("dsDocWMS"), app.dmCon->conNuv),
      dsDocDeScanatKT(QStringLiteral("dsDocDeScanatKT"), app.dmCon->conNuv),
      dsArticol(QStringLiteral("dsArticol"), app.dmCon->conNuv),
      dsMagazie(QStringLiteral("dsMagazie"), app.dmCon->conNuv), dsDocWMSdata_doc(dsDocWMS, QStringLiteral("data_doc")),
      dsDocWMStip_doc(dsDocWMS, QStringLiteral("tip_doc")), dsDocWMSnr_doc(dsDocWMS, QStringLiteral("nr_doc")),
      dsDocDeScanatKTse_opreste_scanarea(dsDocDeScanatKT, QStringLiteral("se_opreste_scanarea"))
{
    dsDocWMS.setSql(QStringLiteral("select *\n"
                                   "from view_doc_de_scanat_kt\n"
                                   "where eu_punct_lucru = :pEuPL\n"
                                   "order by data_doc desc,\n"
                                   "         tip_doc,\n"
                                   "         nr_doc desc\n"
                                   ";"));
    dsDocWMS.declare({
        FieldDef::of(QStringLiteral("data_doc"), FieldType::Date),
        FieldDef::text(QStringLiteral("tip_doc"), 7),
        FieldDef::text(QStringLiteral("nr_doc"), 15),
        FieldDef::text(QStringLiteral("tip_doc_fel"), 15),
        FieldDef::text(QStringLiteral("magazie_sursa"), 5),
        FieldDef::text(QStringLiteral("magazie_dest"), 5),
        FieldDef::text(QStringLiteral("partener"), 100),
        FieldDef::text(QStringLiteral("partener_punct_lucru"), 50),
        FieldDef::of(QStringLiteral("data_stoc"), FieldType::Timestamp),
        FieldDef::of(QStringLiteral("data_listare"), FieldType::Timestamp),
        FieldDef::of(QStringLiteral("data_anulare"), FieldType::Timestamp),
        FieldDef::text(QStringLiteral("eu_punct_lucru"), 50),
        FieldDef::of(QStringLiteral("nr_poz_stocabile"), FieldType::Int64),
        FieldDef::of(QStringLiteral("data_doc_sursa"), FieldType::Date),
        FieldDef::text(QStringLiteral("tip_doc_sursa"), 7),
        FieldDef::text(QStringLiteral("nr_doc_sursa"), 15),
        FieldDef::of(QStringLiteral("se_opreste_scanarea"), FieldType::Bool),
    });

    dsDocDeScanatKT.setSql(QStringLiteral("select se_opreste_scanarea\n"
                                          "from view_doc_de_scanat_kt\n"
                                          "where data_doc = :pDataDoc\n"
                                          "  and tip_doc  = :pTipDoc\n"
                                          "  and nr_doc   = :pNrDoc\n"
                                          ";"));
    dsDocDeScanatKT.setParamType(QStringLiteral("pDataDoc"), db::ParamType::Date);
    dsDocDeScanatKT.declare(FieldDef::of(QStringLiteral("se_opreste_scanarea"), FieldType::Bool));

    dsArticol.setSql(QStringLiteral("select articol,\n"
                                    "       locatie_linie,\n"
                                    "       um,\n"
                                    "       coef_um_coresp,\n"
                                    "       um_coresp,\n"
                                    "       cod_bare\n"
                                    "from articol\n"
                                    "order by articol\n"
                                    ";"));
    dsArticol.declare({
        FieldDef::text(QStringLiteral("articol"), 200, db::Required),
        FieldDef::text(QStringLiteral("locatie_linie"), 10),
        FieldDef::text(QStringLiteral("um"), 5),
        FieldDef::of(QStringLiteral("coef_um_coresp"), FieldType::Float),
        FieldDef::text(QStringLiteral("um_coresp"), 5),
        FieldDef::text(QStringLiteral("cod_bare"), 48),
    });

    dsMagazie.setSql(QStringLiteral("select magazie\n"
                                    "from magazie\n"
                                    "where eu_punct_lucru = :pEuPL\n"
                                    "order by magazie\n"
                                    ";"));
    dsMagazie.declare(FieldDef::text(QStringLiteral("magazie"), 5, db::Required));
}
