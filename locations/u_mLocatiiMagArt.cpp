#include "locations/u_mLocatiiMagArt.h"

#include "shell/WmsApp.h"

TmLocatiiMagArt::TmLocatiiMagArt(WmsApp& app) : app_(app)
{
    setObjectName(QStringLiteral("mLocatiiMagArt"));
    setWindowTitle(QStringLiteral("mLocatiiMagArt"));
    resize(415, 615);
}
