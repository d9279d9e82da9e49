#include "data/u_dmCon.h"
#include "data/u_mLogin.h"
#include "locations/u_mLocatiiMagArt.h"
#include "scan/u_dmWMS.h"
#include "scan/u_mDocActiveWMS.h"
#include "scan/u_mScaneazaWMS.h"
#include "shell/u_mMenuWmsKT.h"
#include "tests/harness/AppFixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class MenuTest : public ::testing::Test {
protected:
    AppFixture f;
    TmMenuWmsKT& menu = *f.app().mMenuWmsKT;

    void SetUp() override
    {
        menu.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    }
};

TEST_F(MenuTest, BeforeLoginOnlyTheLoginButtonShows)
{
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("mMenuWmsKT"));
    EXPECT_EQ(menu.size(), QSize(415, 615));
    EXPECT_TRUE(menu.Layout1->isVisible());
    EXPECT_FALSE(menu.Layout2->isVisible());
    EXPECT_EQ(menu.Layout1->geometry(), QRect(0, 0, 415, 50));
    EXPECT_EQ(menu.ButtonLogin->text(), QStringLiteral("Login"));
    EXPECT_EQ(menu.ButtonLogin->geometry(), QRect(0, 0, 81, 50));
    EXPECT_EQ(menu.Label1->text(), QStringLiteral("nuv wms v.2023-04-07"));
    EXPECT_EQ(menu.Label1->width(), 250);
    EXPECT_EQ(menu.Label1->geometry().right(), 414);
    EXPECT_EQ(menu.Label1->toolTip(), QStringLiteral("https://example.invalid/"));
    EXPECT_EQ(menu.Label1->palette().color(QPalette::WindowText), QColor(0xD2, 0x69, 0x1E));
    EXPECT_EQ(QApplication::focusWidget(), menu.ButtonLogin);
}

TEST_F(MenuTest, ASuccessfulLoginRevealsTheWorkButtons)
{
    QTest::mouseClick(menu.ButtonLogin, Qt::LeftButton);
    TmLogin& login = *f.app().mLogin;
    ASSERT_TRUE(login.isVisible());
    EXPECT_TRUE(login.isModal());
    EXPECT_EQ(login.size(), QSize(415, 196));

    f.app().dmCon->glEuPL = QStringLiteral("Depozit Nord");
    login.accept(); // as a login that passed every check would
    EXPECT_FALSE(login.isVisible());
    EXPECT_FALSE(menu.Layout1->isVisible());
    ASSERT_TRUE(menu.Layout2->isVisible());
    EXPECT_EQ(f.app().dmWMS->dsDocWMS.param(QStringLiteral("pEuPL")).value(), QVariant(QStringLiteral("Depozit Nord")));
    EXPECT_EQ(QApplication::focusWidget(), menu.ButtonDocDeScanat);

    EXPECT_EQ(menu.ButtonDocDeScanat->text(), QStringLiteral("Documente de scanat"));
    EXPECT_EQ(menu.ButtonDocDeScanat->geometry(), QRect(8, 8, 273, 44));
    EXPECT_EQ(menu.ButtonLocatiiArticole->text(), QStringLiteral("Locatii Articole in Magazii"));
    EXPECT_EQ(menu.ButtonLocatiiArticole->geometry(), QRect(8, 56, 273, 44));
    EXPECT_EQ(menu.Label2->text(), QStringLiteral("nuv wms"));
    EXPECT_EQ(menu.Label2->geometry().right(), 415 - 8 - 1);

    QTest::mouseClick(menu.ButtonDocDeScanat, Qt::LeftButton);
    EXPECT_TRUE(f.app().mDocActiveWMS->isVisible());
    EXPECT_EQ(f.app().mDocActiveWMS->windowTitle(), QStringLiteral("mDocActiveWMS"));
    QTest::mouseClick(menu.ButtonLocatiiArticole, Qt::LeftButton);
    EXPECT_TRUE(f.app().mLocatiiMagArt->isVisible());
    EXPECT_EQ(f.app().mLocatiiMagArt->windowTitle(), QStringLiteral("mLocatiiMagArt"));
    EXPECT_TRUE(f.errors().isEmpty());
}

TEST_F(MenuTest, ALoginClosedOtherwiseLeavesTheMenuAsItWas)
{
    QTest::mouseClick(menu.ButtonLogin, Qt::LeftButton);
    f.app().mLogin->reject();
    EXPECT_TRUE(menu.Layout1->isVisible());
    EXPECT_FALSE(menu.Layout2->isVisible());
    EXPECT_FALSE(f.app().dmWMS->dsDocWMS.param(QStringLiteral("pEuPL")).isSet());

    // A later successful login still counts.
    QTest::mouseClick(menu.ButtonLogin, Qt::LeftButton);
    f.app().mLogin->accept();
    EXPECT_TRUE(menu.Layout2->isVisible());
}

TEST_F(MenuTest, ClosingTheMenuEndsTheProgram)
{
    QTest::mouseClick(menu.ButtonLogin, Qt::LeftButton);
    f.app().mLogin->accept();
    QTest::mouseClick(menu.ButtonDocDeScanat, Qt::LeftButton);
    QTimer::singleShot(0, &menu, [this] { menu.close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); }); // would mean the loop went on
    EXPECT_EQ(QApplication::exec(), 0);
}

} // namespace
