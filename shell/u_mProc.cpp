#include "shell/u_mProc.h"

#include "shell/WmsApp.h"

TmProc::TmProc(WmsApp& app) : app_(app)
{
    setObjectName(QStringLiteral("mProc"));
}
