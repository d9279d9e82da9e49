#include "tests/harness/AppFixture.h"

#include "data/u_dmCon.h"

#include <QDir>
#include <QFile>

AppFixture::AppFixture(const Options& options)
{
    const TestServer& server = company.server();
    QFile ini(dir_.filePath(QStringLiteral("mwmskt.ini")));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Text))
        throw std::runtime_error("cannot write the settings file");
    ini.write(QStringLiteral("[database]\n"
                             "password=%1\n"
                             "centralHost=%2\n"
                             "centralPort=%3\n"
                             "registryDatabase=%4\n"
                             "generalDatabase=%5\n"
                             "[sounds]\n"
                             "url=%6\n"
                             "[maker]\n"
                             "webAddress=https://example.invalid/\n")
                  .arg(server.password, server.host)
                  .arg(server.port)
                  .arg(registry.name(), general.name(), options.soundsUrl)
                  .toUtf8());
    ini.write(options.extraSettings.toUtf8());
    ini.close();
    QDir(dir_.path()).mkdir(QStringLiteral("home"));
    if (options.soundFiles) {
        for (const char* name : {"beepERR.mp3", "beepOK.mp3", "beepGata.mp3"}) {
            QFile sound(home(QString::fromLatin1(name)));
            if (!sound.open(QIODevice::WriteOnly))
                throw std::runtime_error("cannot write a sound file");
        }
    }

    AppEnvironment environment;
    environment.executablePath = dir_.filePath(options.executableName);
    environment.windows = options.windows;
    environment.settingsFile = ini.fileName();
    environment.homeFolder = dir_.filePath(QStringLiteral("home"));
    app_ = std::make_unique<WmsApp>(environment);
    auto recorder = std::make_unique<ErrorRecorder>();
    recorder_ = recorder.get();
    app_->errors().setReporter(std::move(recorder));
}

void AppFixture::targetCompany()
{
    db::Connection& con = app_->dmCon->conNuv;
    con.setServer(company.server().host);
    con.setPort(company.server().port);
    con.setDatabase(company.name());
}
