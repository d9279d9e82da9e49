#include "data/u_mLogin.h"

#include "shell/WmsApp.h"

TmLogin::TmLogin(WmsApp& app) : app_(app)
{
    setObjectName(QStringLiteral("mLogin"));
    setWindowTitle(QStringLiteral("mLogin"));
    resize(415, 196);
}
