#include "platform/AppTitle.h"

#include <QFileInfo>

QString applicationTitle(const QString& executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    if (const qsizetype dot = name.indexOf(QLatin1Char('.')); dot >= 0)
        name.truncate(dot);
    return name.left(1) + name.mid(1).toLower();
}
