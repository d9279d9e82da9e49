#pragma once

#include "platform/DeploymentSettings.h"
#include "platform/ui/ErrorBox.h"

#include <QString>

#include <memory>

class TdmCon;
class TdmWMS;
class TmMenuWmsKT;
class TmDocActiveWMS;
class TmLocatiiMagArt;
class TmLogin;
class TmProc;
class TmScaneazaWMS;

// Where this run of the client finds its files, and what it runs on.
struct AppEnvironment {
    QString executablePath;
    QString settingsFile; // the deployment settings, next to the executable
    QString homeFolder;   // the user's home data folder: remembered login, sounds
    bool windows = false;

    // The environment of this process.
    static AppEnvironment ofProcess();
};

// Owns the two modules and six screens, created once in this order and kept
// until the end; they reach each other through it at event time.
class WmsApp {
public:
    explicit WmsApp(AppEnvironment environment);
    ~WmsApp();
    WmsApp(const WmsApp&) = delete;
    WmsApp& operator=(const WmsApp&) = delete;

    const AppEnvironment& environment() const { return environment_; }
    const DeploymentSettings& settings() const { return settings_; }
    const QString& title() const { return title_; }
    const ErrorHandler& errors() const { return errors_; }
    ErrorHandler& errors() { return errors_; }

private:
    const AppEnvironment environment_;
    const DeploymentSettings settings_;
    const QString title_;
    ErrorHandler errors_;

public:
    const std::unique_ptr<TdmCon> dmCon;
    const std::unique_ptr<TdmWMS> dmWMS;
    const std::unique_ptr<TmMenuWmsKT> mMenuWmsKT;
    const std::unique_ptr<TmDocActiveWMS> mDocActiveWMS;
    const std::unique_ptr<TmLocatiiMagArt> mLocatiiMagArt;
    const std::unique_ptr<TmLogin> mLogin;
    const std::unique_ptr<TmProc> mProc;
    const std::unique_ptr<TmScaneazaWMS> mScaneazaWMS;
};
