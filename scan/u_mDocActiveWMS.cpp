#include "scan/u_mDocActiveWMS.h"

#include "shell/WmsApp.h"

TmDocActiveWMS::TmDocActiveWMS(WmsApp& app) : app_(app)
{
    setObjectName(QStringLiteral("mDocActiveWMS"));
    setWindowTitle(QStringLiteral("mDocActiveWMS"));
    resize(415, 615);
}
