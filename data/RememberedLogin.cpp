#include "data/RememberedLogin.h"

#include "platform/Error.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

RememberedLogin RememberedLogin::load(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("The remembered login %1 could not be read: %2").arg(path, file.errorString()));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        throw Error(QStringLiteral("The remembered login %1 could not be read: %2")
                        .arg(path, parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                                : QStringLiteral("not an object")));
    const QJsonObject object = document.object();
    return {object.value(QStringLiteral("company")).toString(), object.value(QStringLiteral("userName")).toString()};
}

void RememberedLogin::save(const QString& path) const
{
    const QJsonObject object{{QStringLiteral("company"), company}, {QStringLiteral("userName"), userName}};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(object).toJson()) < 0 || !file.commit())
        throw Error(QStringLiteral("The remembered login %1 could not be saved: %2").arg(path, file.errorString()));
}
