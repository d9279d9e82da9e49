#pragma once

#include <QString>

// The application's identity towards the database, derived from the
// executable's file name: no folder, nothing from the first full stop on,
// the first character as it is and the rest lower-cased ("mWmsKT" -> "mwmskt").
QString applicationTitle(const QString& executablePath);
