#pragma once

#include <QString>

// The last company and operator code typed at login, kept in "nuvmob.json"
// in the home data folder. Never the password.
struct RememberedLogin {
    QString company;
    QString userName;

    // Throws Error naming the file when it exists but cannot be read.
    static RememberedLogin load(const QString& path);
    // Replaces the file as a whole; throws Error when it cannot be written.
    void save(const QString& path) const;
};
