#pragma once

#include "platform/SoundPlayer.h"
#include "platform/ui/ErrorBox.h"
#include "shell/WmsApp.h"
#include "tests/harness/TestDatabase.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Stands in for the error box: keeps what it would have shown.
class ErrorRecorder : public ErrorReporter {
public:
    void showError(const QString& text) override { messages << text; }
    QStringList messages;
};

// Stands in for the media player: keeps the paths it was asked to play.
class RecordingPlayer : public SoundPlayer {
public:
    explicit RecordingPlayer(QStringList& played) : played_(played) {}
    void play(const QString& path) override { played_ << path; }

private:
    QStringList& played_;
};

// A whole fresh application on its own databases (registry, company,
// general) and its own home folder, with a settings file pointing at them.
class AppFixture {
public:
    struct Options {
        QString extraSettings; // more INI lines, e.g. "[database]\nsslMode=require"
        QString executableName = QStringLiteral("mWmsKT");
        bool windows = false;
        QString soundsUrl = QStringLiteral("http://127.0.0.1:9/nuvSounds/");
        bool soundFiles = true; // the three sound files already in the home folder
    };
    AppFixture() : AppFixture(Options{}) {}
    explicit AppFixture(const Options& options);

    WmsApp& app() { return *app_; }
    const QStringList& errors() const { return recorder_->messages; }
    QString folder() const { return dir_.path(); }
    QString home(const QString& file = {}) const { return dir_.filePath(QStringLiteral("home/") + file); }

    TestDatabase registry{QStringLiteral("tpl_registry")};
    TestDatabase company{QStringLiteral("tpl_company")};
    TestDatabase general{QStringLiteral("tpl_general")};

    // Points conNuv at the company database, as a login would.
    void targetCompany();

private:
    QTemporaryDir dir_;
    std::unique_ptr<WmsApp> app_;
    ErrorRecorder* recorder_ = nullptr; // owned by the application's error handler
};
