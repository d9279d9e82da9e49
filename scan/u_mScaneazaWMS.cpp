#include "scan/u_mScaneazaWMS.h"

#include "shell/WmsApp.h"

TmScaneazaWMS::TmScaneazaWMS(WmsApp& app) : app_(app)
{
    setObjectName(QStringLiteral("mScaneazaWMS"));
    setWindowTitle(QStringLiteral("mScaneazaWMS"));
    resize(415, 615);
}
