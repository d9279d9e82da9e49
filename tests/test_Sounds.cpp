#include "data/RememberedLogin.h"
#include "data/u_mLogin.h"
#include "shell/u_mMenuWmsKT.h"
#include "shell/u_mProc.h"
#include "tests/harness/AppFixture.h"
#include "tests/harness/HttpServer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList homeFiles(const AppFixture& f)
{
    return QDir(f.home()).entryList(QDir::Files, QDir::Name);
}

class SoundDownloadTest : public ::testing::Test {
protected:
    HttpServer server;
    std::unique_ptr<AppFixture> f;

    void start(int timeoutMs = 5000)
    {
        f = std::make_unique<AppFixture>(
            AppFixture::Options{.soundsUrl = server.url(QStringLiteral("/nuvSounds/")), .soundFiles = false});
        f->app().mLogin->soundTimeoutMs = timeoutMs;
    }
    void showLogin()
    {
        f->app().mMenuWmsKT->show();
        QTest::mouseClick(f->app().mMenuWmsKT->ButtonLogin, Qt::LeftButton);
    }
    void serve(const char* name, HttpServer::Route route)
    {
        server.route(QStringLiteral("/nuvSounds/") + QString::fromLatin1(name), std::move(route));
    }
};

TEST_F(SoundDownloadTest, FetchesOnlyTheMissingFiles)
{
    serve("beepERR.mp3", {200, "err-sound"});
    serve("beepOK.mp3", {200, "ok-sound"});
    serve("beepGata.mp3", {200, "gata-sound"});
    start();
    QFile present(f->home(QStringLiteral("beepOK.mp3")));
    ASSERT_TRUE(present.open(QIODevice::WriteOnly));
    present.write("mine");
    present.close();

    showLogin();
    EXPECT_EQ(f->errors(), QStringList());
    EXPECT_EQ(contents(f->home(QStringLiteral("beepERR.mp3"))), QByteArray("err-sound"));
    EXPECT_EQ(contents(f->home(QStringLiteral("beepOK.mp3"))), QByteArray("mine"));
    EXPECT_EQ(contents(f->home(QStringLiteral("beepGata.mp3"))), QByteArray("gata-sound"));
    EXPECT_EQ(server.requests(QStringLiteral("/nuvSounds/beepOK.mp3")), 0);
    EXPECT_EQ(homeFiles(*f), (QStringList{"beepERR.mp3", "beepGata.mp3", "beepOK.mp3"}));

    // Shown again: nothing more to fetch.
    f->app().mLogin->reject();
    showLogin();
    EXPECT_EQ(server.requests(QStringLiteral("/nuvSounds/beepERR.mp3")), 1);
}

TEST_F(SoundDownloadTest, FollowsFiveRedirectsButNotSix)
{
    // beepERR: 5 hops to the file; beepOK: 6 hops.
    for (int hop = 1; hop <= 6; ++hop)
        server.route(QStringLiteral("/hop%1").arg(hop), {302, {}, QStringLiteral("/hop%1").arg(hop + 1).toLatin1()});
    server.route(QStringLiteral("/hop7"), {200, "far"});
    serve("beepERR.mp3", {302, {}, "/hop3"});
    serve("beepOK.mp3", {302, {}, "/hop2"});
    serve("beepGata.mp3", {200, "gata"});
    start();
    showLogin();
    EXPECT_EQ(contents(f->home(QStringLiteral("beepERR.mp3"))), QByteArray("far"));
    EXPECT_FALSE(QFile::exists(f->home(QStringLiteral("beepOK.mp3"))));
    ASSERT_EQ(f->errors().size(), 1);
    EXPECT_TRUE(f->errors()[0].startsWith(QStringLiteral("Could not download beepOK.mp3 from ")))
        << f->errors()[0].toStdString();
}

TEST_F(SoundDownloadTest, AFailedDownloadLeavesNoFileIsReportedOnceAndTheLoginStillLoads)
{
    serve("beepERR.mp3", {404, "<html>not found</html>"});
    serve("beepOK.mp3", {500, "<html>oops</html>"});
    serve("beepGata.mp3", {200, "half of it", {}, HttpServer::Behaviour::DropMidBody});
    start();
    RememberedLogin{QStringLiteral("Firma SRL"), QStringLiteral("Ana")}.save(f->home(QStringLiteral("nuvmob.json")));

    showLogin();
    ASSERT_EQ(f->errors().size(), 1);
    const QStringList lines = f->errors()[0].split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3) << f->errors()[0].toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Could not download beepERR.mp3 from http://127.0.0.1:")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("the server answered 404 Status"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("500"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Could not download beepGata.mp3"))) << lines[2].toStdString();
    EXPECT_EQ(homeFiles(*f), QStringList{QStringLiteral("nuvmob.json")});
    EXPECT_EQ(f->app().mLogin->Edit1->text(), QStringLiteral("Firma SRL"));
    EXPECT_EQ(f->app().mLogin->Edit2->text(), QStringLiteral("Ana"));
    EXPECT_TRUE(f->app().mLogin->isVisible());

    // The next showing tries again.
    serve("beepERR.mp3", {200, "err"});
    serve("beepOK.mp3", {200, "ok"});
    serve("beepGata.mp3", {200, "gata"});
    f->app().mLogin->reject();
    showLogin();
    EXPECT_EQ(f->errors().size(), 1);
    EXPECT_EQ(homeFiles(*f), (QStringList{"beepERR.mp3", "beepGata.mp3", "beepOK.mp3", "nuvmob.json"}));
}

TEST_F(SoundDownloadTest, AServerThatNeverAnswersHitsTheTimeOut)
{
    serve("beepERR.mp3", {200, {}, {}, HttpServer::Behaviour::Hang});
    serve("beepOK.mp3", {200, "ok"});
    serve("beepGata.mp3", {200, "gata"});
    start(300);
    showLogin();
    ASSERT_EQ(f->errors().size(), 1);
    EXPECT_TRUE(f->errors()[0].endsWith(QStringLiteral("no answer within 0.3 s"))) << f->errors()[0].toStdString();
    // No more waiting for the other files; the next showing fetches them all.
    EXPECT_EQ(server.requests(QStringLiteral("/nuvSounds/beepOK.mp3")), 0);
    EXPECT_EQ(homeFiles(*f), QStringList());
    serve("beepERR.mp3", {200, "err"});
    f->app().mLogin->reject();
    showLogin();
    EXPECT_EQ(f->errors().size(), 1);
    EXPECT_EQ(homeFiles(*f), (QStringList{"beepERR.mp3", "beepGata.mp3", "beepOK.mp3"}));
}

TEST(SoundFolderTest, ALocalFolderServesAsTheSoundFolder)
{
    QTemporaryDir folder;
    for (const char* name : {"beepERR.mp3", "beepOK.mp3"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name);
    }
    AppFixture f({.soundsUrl = QUrl::fromLocalFile(folder.path()).toString() + QLatin1Char('/'), .soundFiles = false});
    f.app().mMenuWmsKT->show();
    QTest::mouseClick(f.app().mMenuWmsKT->ButtonLogin, Qt::LeftButton);
    EXPECT_EQ(contents(f.home(QStringLiteral("beepOK.mp3"))), QByteArray("beepOK.mp3"));
    ASSERT_EQ(f.errors().size(), 1); // beepGata.mp3 is not in the folder
    EXPECT_TRUE(f.errors()[0].startsWith(QStringLiteral("Could not download beepGata.mp3")))
        << f.errors()[0].toStdString();
    EXPECT_FALSE(QFile::exists(f.home(QStringLiteral("beepGata.mp3"))));
}

TEST(SoundPlaybackTest, PlaysFilesOfTheHomeFolderAndIgnoresMissingOnes)
{
    AppFixture f;
    QStringList played;
    f.app().mProc->MediaPlayer1 = std::make_unique<RecordingPlayer>(played);
    f.app().mProc->nuvPlay(QStringLiteral("beepOK.mp3"));
    f.app().mProc->nuvPlay(QStringLiteral("nothere.mp3"));
    f.app().mProc->nuvPlay(QStringLiteral("beepGata.mp3"));
    EXPECT_EQ(played, (QStringList{f.home(QStringLiteral("beepOK.mp3")), f.home(QStringLiteral("beepGata.mp3"))}));
}

TEST(SoundPlaybackTest, AnUnplayableFileRaisesNothing)
{
    AppFixture f; // its sound files are empty: nothing a media player can play
    EXPECT_NO_THROW(f.app().mProc->nuvPlay(QStringLiteral("beepERR.mp3")));
    EXPECT_NO_THROW(f.app().mProc->nuvPlay(QStringLiteral("beepOK.mp3")));
    QTest::qWait(50);
}

} // namespace
