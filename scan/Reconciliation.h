#pragma once

#include "platform/db/Query.h"

// Sets q up as the reconciliation of one document: parameters pDataDoc
// (date), pTipDoc and pNrDoc; one row per article expected or scanned, with
// the document totals on every row.
void declareReconciliation(db::Query& q);
