#include "platform/DeploymentSettings.h"

#include <QFileInfo>
#include <QSettings>

DeploymentSettings DeploymentSettings::load(const QString& path)
{
    DeploymentSettings settings;
    settings.path_ = path;
    settings.exists_ = QFileInfo(path).isFile();
    if (settings.exists_) {
        const QSettings ini(path, QSettings::IniFormat);
        for (const QString& key : ini.allKeys()) {
            const QString value = ini.value(key).toString().trimmed();
            if (!value.isEmpty())
                settings.values_.insert(key, value);
        }
    }
    return settings;
}

QString DeploymentSettings::string(const QString& key, const QString& fallback) const
{
    return values_.value(key, fallback);
}

int DeploymentSettings::integer(const QString& key, int fallback) const
{
    bool ok = false;
    const int value = values_.value(key).toInt(&ok);
    return ok ? value : fallback;
}

QString DeploymentSettings::missing(const QStringList& keys) const
{
    if (!exists_)
        return QStringLiteral("The settings file %1 does not exist; it must set %2")
            .arg(path_, keys.join(QLatin1String(", ")));
    for (const QString& key : keys) {
        if (!values_.contains(key))
            return QStringLiteral("The setting %1 is missing from %2").arg(key, path_);
    }
    return {};
}
