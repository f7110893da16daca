// vistello-idle, the idle host for X11 sessions: it starts the real screen saver
// once the session has been idle for the time given, again after each use, and
// ends with the X server.
#include "support/ScratchFolder.h"
#include "support/XvfbSession.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class IdleHostE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *tool : {"xprintidle", "xset"})
            ASSERT_FALSE(QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                << tool << " is missing (Debian packages xprintidle, x11-xserver-utils)";
        ASSERT_TRUE(xvfb->isRunning());
        // The script looks for the program beside itself, as installed.
        copyProgram(QStringLiteral(VISTELLO_BIN), folder.path());
        script = folder.file(QStringLiteral("vistello-idle"));
        QFile::copy(QStringLiteral(VISTELLO_SOURCE_DIR "/packaging/vistello-idle.sh"), script);
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }


    void input() const { xvfb->xdotool({QStringLiteral("mousemove"), QStringLiteral("10"), QStringLiteral("10")}); }

    std::unique_ptr<XvfbSession> xvfb = std::make_unique<XvfbSession>(QSize(640, 480));
    ScratchFolder folder;
    QString script;
};

TEST_F(IdleHostE2E, StartsTheShowWhenIdleAgainAfterUseAndEndsWithTheSession)
{
    input();
    QElapsedTimer sinceInput;
    sinceInput.start();
    auto host = std::make_unique<ProgramRun>(*xvfb, QStringLiteral("sh"), QStringList{script, QStringLiteral("3s")},
                                             folder.path());
    ASSERT_TRUE(host->started());

    ASSERT_TRUE(waitUntil([&] { return xvfb->screenIsBlack(); }, 20000))
        << "no show after idling: " << host->errorOutput().toStdString();
    EXPECT_GE(sinceInput.elapsed(), 2900) << "the show started before the idle time was up";
    // The X server's own screen saver is off, so it cannot blank the show.
    const auto xsetQuery = xvfb->run(QStringLiteral("xset"), {QStringLiteral("q")});
    ASSERT_TRUE(xsetQuery.has_value());
    const QString settings = *xsetQuery;
    EXPECT_TRUE(settings.contains(QRegularExpression(QStringLiteral("timeout:\\s+0\\s")))) << settings.toStdString();

    // A key (no window manager here: the show takes the keyboard itself) ends the show.
    xvfb->xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    ASSERT_TRUE(waitUntil([&] { return !xvfb->screenIsBlack(); }, 10000)) << "the key did not end the show";
    sinceInput.restart();

    // Idle again: the next show comes, and a click ends it.
    ASSERT_TRUE(waitUntil([&] { return xvfb->screenIsBlack(); }, 20000)) << "no second show";
    EXPECT_GE(sinceInput.elapsed(), 2500);
    xvfb->xdotool({QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(waitUntil([&] { return !xvfb->screenIsBlack(); }, 10000)) << "the click did not end the show";
    EXPECT_TRUE(host->isRunning());

    // The session ends: the host ends too, without an error.
    xvfb.reset();
    ASSERT_TRUE(host->waitForExit(15000)) << "the host outlived the X server";
    EXPECT_EQ(host->exitCode(), 0) << host->errorOutput().toStdString();
}

TEST_F(IdleHostE2E, WrongArgumentsAreRefusedWithTheUsage)
{
    for (const QStringList &arguments : {QStringList{QStringLiteral("0")}, QStringList{QStringLiteral("abc")},
                                         QStringList{QStringLiteral("5m")}, QStringList{QStringLiteral("99999999")},
                                         QStringList{QStringLiteral("1"), QStringLiteral("2")}}) {
        QProcess run;
        run.setProcessEnvironment(xvfb->environment());
        run.start(QStringLiteral("sh"), QStringList{script} + arguments);
        ASSERT_TRUE(run.waitForFinished(10000));
        EXPECT_EQ(run.exitCode(), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.readAllStandardError().startsWith("usage: vistello-idle")) << arguments.join(' ').toStdString();
    }
}

}
