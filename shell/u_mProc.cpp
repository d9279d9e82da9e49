#include "shell/u_mProc.h"

#include "shell/WmsApp.h"

#include <QDir>
#include <QFileInfo>

TmProc::TmProc(WmsApp& app) : MediaPlayer1(std::make_unique<MediaSoundPlayer>()), app_(app)
{
    setObjectName(QStringLiteral("mProc"));
}

void TmProc::nuvPlay(const QString& pNumeFisier)
{
    const QString path = QDir(app_.environment().homeFolder).filePath(pNumeFisier);
    if (QFileInfo(path).isFile())
        MediaPlayer1->play(path);
}
