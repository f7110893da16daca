// The real programs under hostile conditions: a lock left by a killed show, a
// folder of hostile pictures, and a hostile settings file.
#include "support/HostileFiles.h"
#include "support/ScratchFolder.h"
#include "support/XvfbSession.h"

#include <QDir>
#include <QMap>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

QByteArray iniFor(const QString &pictureFolder, int mode)
{
    return pictureFolder.toUtf8() + "\r\nFILE_NAME\r\n " + QByteArray::number(mode)
           + " \r\n 10 \r\n 10 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n";
}

}

TEST(HostileE2E, ShowKilledOutrightLeavesNoLockThatStopsTheNextShow)
{
    XvfbSession xvfb;
    ASSERT_TRUE(xvfb.isRunning());
    ScratchFolder folder;
    const QString program = copyProgram(QStringLiteral(VISTELLO_BIN), folder.path());
    folder.write("Vistello.ini", iniFor(QDir(folder.path()).canonicalPath() + "/", 1));
    folder.write("a.bmp", HostileFiles::Bmp(200, 100));

    {
        ProgramRun first(xvfb, program, {QStringLiteral("/s")}, folder.path());
        ASSERT_TRUE(first.started());
        ASSERT_TRUE(waitUntil([&] { return !xvfb.screenshot().isNull() && !xvfb.screenIsBlack(); }, 15000));
        ASSERT_EQ(::kill(pid_t(first.processId()), SIGKILL), 0);
        ASSERT_TRUE(first.waitForExit(5000));
        EXPECT_EQ(first.exitStatus(), QProcess::CrashExit);
    }

    ProgramRun second(xvfb, program, {QStringLiteral("/s")}, folder.path());
    ASSERT_TRUE(second.started());
    // The second show runs (a refused start would end at once).
    ASSERT_TRUE(waitUntil([&] { return !xvfb.screenshot().isNull() && !xvfb.screenIsBlack(); }, 15000))
        << "no picture from the second show";
    QThread::msleep(1500);
    EXPECT_TRUE(second.isRunning());
    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("space")});
    EXPECT_TRUE(endedWithStatus0(second));
}

TEST(HostileE2E, ShowRunsOverHostilePicturesInModeTwoAndEndsOnAKey)
{
    XvfbSession xvfb;
    ASSERT_TRUE(xvfb.isRunning());
    ScratchFolder folder;
    const QString program = copyProgram(QStringLiteral(VISTELLO_BIN), folder.path());
    ASSERT_TRUE(QDir().mkpath(folder.file("pics")));
    ASSERT_TRUE(HostileFiles::WriteAll(folder.file("pics"), HostileFiles::Pictures()));
    folder.write("Vistello.ini", iniFor(QDir(folder.file("pics")).canonicalPath() + "/", 2));

    ProgramRun show(xvfb, program, {QStringLiteral("/s")}, folder.path());
    ASSERT_TRUE(show.started());
    ASSERT_TRUE(waitUntil([&] { return !xvfb.screenshot().isNull() && !xvfb.screenIsBlack(); }, 15000));
    // About two rounds of the list at ten switches a second.
    QThread::msleep(4000);
    ASSERT_TRUE(show.isRunning()) << show.errorOutput().toStdString();
    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("space")});
    EXPECT_TRUE(endedWithStatus0(show));
}

TEST(HostileE2E, HostileSettingsFileStillGivesAShowAndADialogThatStores)
{
    XvfbSession xvfb;
    ASSERT_TRUE(xvfb.isRunning());
    ScratchFolder folder;
    const QString program = copyProgram(QStringLiteral(VISTELLO_BIN), folder.path());
    QByteArray hostile = QByteArray("\x00\xff\xfe\r\r\n1e309\nnan\r0x10", 20) + QByteArray(100000, '\x82');
    folder.write("Vistello.ini", hostile);

    ProgramRun show(xvfb, program, {QStringLiteral("/s")}, folder.path());
    ASSERT_TRUE(show.started());
    QThread::msleep(1500);
    ASSERT_TRUE(show.isRunning()) << show.errorOutput().toStdString();
    xvfb.xdotool({QStringLiteral("key"), QStringLiteral("space")});
    EXPECT_TRUE(endedWithStatus0(show));
    EXPECT_EQ(folder.read("Vistello.ini"), hostile);

    ProgramRun dialog(xvfb, program, {QStringLiteral("/c")}, folder.path());
    ASSERT_TRUE(dialog.started());
    QString ids;
    ASSERT_TRUE(waitUntil([&] { return xvfb.xdotool({"search", "--onlyvisible", "--name", "^Vistello Ver\\.1\\.0$"}, &ids); }, 15000));
    QString shell;
    xvfb.xdotool({"getwindowgeometry", "--shell", ids.split('\n', Qt::SkipEmptyParts).value(0)}, &shell);
    QMap<QString, int> at;
    for (const QString &line : shell.split('\n'))
        if (const QStringList kv = line.split('='); kv.size() == 2)
            at[kv[0]] = kv[1].toInt();
    QThread::msleep(300);
    // OK stores and ends.
    xvfb.xdotool({"mousemove", QString::number(at["X"] + 188 + 40), QString::number(at["Y"] + 400 + 16), "click", "1"});
    EXPECT_TRUE(endedWithStatus0(dialog));
    const QList<QByteArray> lines = folder.read("Vistello.ini").split('\n');
    EXPECT_EQ(lines.size(), 11);
    EXPECT_TRUE(lines.last().isEmpty());
}
