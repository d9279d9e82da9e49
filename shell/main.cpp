#include "shell/u_mMenuWmsKT.h"
#include "shell/WmsApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The menu is the main window: closing it ends the program even while
    // other screens are open.
    QApplication::setQuitOnLastWindowClosed(false);
    WmsApp app(AppEnvironment::ofProcess());
    app.mMenuWmsKT->show();
    return QApplication::exec();
}
