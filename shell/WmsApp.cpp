#include "shell/WmsApp.h"

#include "data/u_dmCon.h"
#include "data/u_mLogin.h"
#include "locations/u_mLocatiiMagArt.h"
#include "platform/AppTitle.h"
#include "scan/u_dmWMS.h"
#include "scan/u_mDocActiveWMS.h"
#include "scan/u_mScaneazaWMS.h"
#include "shell/u_mMenuWmsKT.h"
#include "shell/u_mProc.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

AppEnvironment AppEnvironment::ofProcess()
{
    AppEnvironment environment;
    environment.executablePath = QCoreApplication::applicationFilePath();
    environment.settingsFile = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("mwmskt.ini"));
#ifdef Q_OS_WIN
    environment.windows = true;
    environment.homeFolder = qEnvironmentVariable("APPDATA");
#else
    // Not the bare home folder: the client's few files live where Linux
    // desktops keep application data.
    environment.homeFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("mwmskt"));
    QDir().mkpath(environment.homeFolder);
#endif
    return environment;
}

WmsApp::WmsApp(AppEnvironment environment)
    : environment_(std::move(environment)), settings_(DeploymentSettings::load(environment_.settingsFile)),
      title_(applicationTitle(environment_.executablePath)), dmCon(std::make_unique<TdmCon>(*this)),
      dmWMS(std::make_unique<TdmWMS>(*this)), mMenuWmsKT(std::make_unique<TmMenuWmsKT>(*this)),
      mDocActiveWMS(std::make_unique<TmDocActiveWMS>(*this)), mLocatiiMagArt(std::make_unique<TmLocatiiMagArt>(*this)),
      mLogin(std::make_unique<TmLogin>(*this)), mProc(std::make_unique<TmProc>(*this)),
      mScaneazaWMS(std::make_unique<TmScaneazaWMS>(*this))
{
}

WmsApp::~WmsApp() = default;
