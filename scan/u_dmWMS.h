#pragma once

#include "platform/db/Query.h"

class WmsApp;

// The queries over the documents waiting to be scanned.
class TdmWMS {
public:
    explicit TdmWMS(WmsApp& app);

    db::Query dsDocWMS;        // the work point's documents, newest first
    db::Query dsDocDeScanatKT; // is this one document still waiting?
    db::Query dsArticol;       // declared, used by no screen
    db::Query dsMagazie;       // declared, used by no screen

    db::Field dsDocWMSdata_doc;
    db::Field dsDocWMStip_doc;
    db::Field dsDocWMSnr_doc;
    db::Field dsDocDeScanatKTse_opreste_scanarea;
};
