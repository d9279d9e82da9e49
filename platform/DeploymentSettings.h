#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The deployment settings file (an INI file next to the executable): what a
// site sets, such as the database password and the central host. A missing
// file or key is not an error until something needs it.
class DeploymentSettings {
public:
    static DeploymentSettings load(const QString& path);

    const QString& path() const { return path_; }
    bool has(const QString& key) const { return values_.contains(key); }
    QString string(const QString& key, const QString& fallback = {}) const;
    int integer(const QString& key, int fallback) const;
    // Empty when every key is present; otherwise a message naming the first
    // missing key (or the missing file) for the operator to pass on.
    QString missing(const QStringList& keys) const;

private:
    QString path_;
    bool exists_ = false;
    QMap<QString, QString> values_;
};
