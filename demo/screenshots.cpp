// Renders each screen in its main states to PNG files, offscreen, driving
// the client as an operator would against the demo database.
//   mwmskt_screenshots SETTINGS_FILE OUTPUT_FOLDER

#include "data/u_dmCon.h"
#include "data/u_mLogin.h"
#include "locations/u_mLocatiiMagArt.h"
#include "platform/SoundPlayer.h"
#include "platform/ui/ConfirmEdit.h"
#include "platform/ui/ErrorBox.h"
#include "scan/u_dmWMS.h"
#include "scan/u_mDocActiveWMS.h"
#include "scan/u_mScaneazaWMS.h"
#include "shell/u_mMenuWmsKT.h"
#include "shell/u_mProc.h"
#include "shell/WmsApp.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

class PrintingReporter : public ErrorReporter {
public:
    void showError(const QString& text) override { std::fprintf(stderr, "error box: %s\n", qPrintable(text)); }
};

class SilentPlayer : public SoundPlayer {
public:
    void play(const QString&) override {}
};

class Shooter {
public:
    Shooter(WmsApp& app, QString folder) : app_(app), folder_(std::move(folder)) {}

    void shoot(QWidget& widget, const char* name)
    {
        QTest::qWait(30);
        const QString path = QDir(folder_).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        if (!widget.grab().save(path))
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void scan(const QString& barcode)
    {
        ConfirmEdit* edit = app_.mScaneazaWMS->Edit1;
        QTest::keyClicks(edit, barcode);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void openDocument(const QString& number)
    {
        TmDocActiveWMS& list = *app_.mDocActiveWMS;
        app_.dmWMS->dsDocWMS.locate(QStringLiteral("nr_doc"), number);
        click(list.ButtonScaneaza);
    }
    void clickTab(int tab)
    {
        QTabBar* bar = app_.mLocatiiMagArt->TabControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    }

private:
    WmsApp& app_;
    QString folder_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: mwmskt_screenshots SETTINGS_FILE OUTPUT_FOLDER\n");
        return 2;
    }
    QTemporaryDir home;
    AppEnvironment environment;
    environment.executablePath = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("mWmsKT"));
    environment.settingsFile = QString::fromLocal8Bit(argv[1]);
    environment.homeFolder = home.path();
    WmsApp app(environment);
    app.errors().setReporter(std::make_unique<PrintingReporter>());
    app.mProc->MediaPlayer1 = std::make_unique<SilentPlayer>();
    QDir().mkpath(QString::fromLocal8Bit(argv[2]));
    Shooter shot(app, QString::fromLocal8Bit(argv[2]));

    TmMenuWmsKT& menu = *app.mMenuWmsKT;
    menu.show();
    shot.shoot(menu, "menu-before-login");

    shot.click(menu.ButtonLogin);
    TmLogin& login = *app.mLogin;
    login.Edit1->setText(QStringLiteral("Demo Depozit SRL"));
    login.Edit2->setText(QStringLiteral("ana"));
    login.Edit3->setText(QStringLiteral("1234"));
    shot.shoot(login, "login");
    shot.click(login.Button1);
    shot.shoot(menu, "menu-after-login");

    shot.click(menu.ButtonDocDeScanat);
    TmDocActiveWMS& list = *app.mDocActiveWMS;
    shot.click(list.ButtonCauta);
    shot.shoot(list, "documents");

    // One visit per panel state: the document, what is scanned, the picture.
    struct Visit {
        const char* document;
        QStringList barcodes;
        const char* picture;
    };
    const Visit visits[] = {
        {"10045",
         {"5941000000011", "5941000000028", "5941000000028", "5941000000042", "0000000000000"},
         "scanning-stops-by-itself"},
        {"10040", {}, "scanning-complete"},
        {"10044", {"5941000000059", "5941000000042"}, "scanning-ended-by-hand"},
        {"7", {"8000070000035"}, "scanning-inventory"},
    };
    TmScaneazaWMS& scanning = *app.mScaneazaWMS;
    for (const Visit& visit : visits) {
        shot.openDocument(QString::fromLatin1(visit.document));
        for (const QString& barcode : visit.barcodes)
            shot.scan(barcode);
        shot.shoot(scanning, visit.picture);
        scanning.reject();
    }

    shot.click(menu.ButtonLocatiiArticole);
    TmLocatiiMagArt& locations = *app.mLocatiiMagArt;
    QTest::keyClicks(locations.EditLocatie, QStringLiteral("A-01-02"));
    QTest::keyClick(locations.EditLocatie, Qt::Key_Return);
    shot.shoot(locations, "locations-location");
    shot.clickTab(1);
    QTest::keyClicks(locations.EditCodBare, QStringLiteral("5941000000011"));
    QTest::keyClick(locations.EditCodBare, Qt::Key_Return);
    shot.shoot(locations, "locations-article");
    shot.clickTab(2);
    shot.shoot(locations, "locations-add");
    return 0;
}
