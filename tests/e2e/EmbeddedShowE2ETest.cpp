// The real Vistello in a desktop screen saver's window: a test tool's plain window, and XScreenSaver's.
#include "support/XvfbSession.h"
#include <QFileInfo>
#include <QPainter>
#include <QTest>
#include <csignal>
#include <unistd.h>

namespace {

class EmbeddedShowE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One 40 x 30 red picture, centred again every second.
        writePicture(folder.file("red.bmp"), 40, 30, Qt::red);
        folder.write("Vistello.ini", folder.path().toLocal8Bit() + "/\r\nRANDOM\r\n1\r\n10\r\n3\r\n");
    }
    // Opens a plain window of the test tool, 200 high at y 50, as the host's; returns its id.
    QString host(QProcess &tool, int x, int width)
    {
        tool.setProcessEnvironment(xvfb.environment());
        tool.start(VISTELLO_HOST_WINDOW, {QString::number(x), "50", QString::number(width), "200"});
        return tool.waitForReadyRead(10000) ? QString::fromLatin1(tool.readLine().trimmed()) : QString();
    }
    std::unique_ptr<ProgramRun> saver(const QString &window)
    {
        return std::make_unique<ProgramRun>(xvfb, "env", QStringList{"XSCREENSAVER_WINDOW=" + window, program, "/s"},
                                            folder.path());
    }
    // The screen shows that many pictures, one with its top left corner at x, y.
    bool pictureAt(int x, int y, int pictures = 1) const
    {
        const QImage shot = xvfb.screenshot();
        return countPixels(shot, Qt::red, 0) == pictures * 1200
            && countPixels(shot.copy(x, y, 40, 30), Qt::red, 0) == 1200;
    }
    XvfbSession xvfb{QSize(640, 480)};
    ScratchFolder folder;
    QString program = copyProgram(VISTELLO_BIN, folder.path());
};

TEST_F(EmbeddedShowE2E, OneShowPerHostWindowFillingItFollowingItsSizeEndingOnSignalsOrWithTheWindow)
{
    QProcess tool, rightTool;
    const QString id = host(tool, 0, 320);
    auto right = saver(QString::number(host(rightTool, 320, 320).toUInt(nullptr, 16)));   // decimal
    const QImage before = xvfb.screenshot();
    int top = 135;
    for (int signal : {SIGTERM, SIGINT, 0}) {
        auto run = saver(id);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pictureAt(140, top, 2) && pictureAt(460, 135, 2); }, 15000));
        if (signal == SIGTERM) {
            QImage shot = xvfb.screenshot(), expected = before;
            EXPECT_EQ(countPixels(shot.copy(0, 50, 320, 200), Qt::black, 0), 320 * 200 - 1200);
            QPainter(&shot).fillRect(0, 50, 640, 200, Qt::black);
            QPainter(&expected).fillRect(0, 50, 640, 200, Qt::black);
            EXPECT_EQ(shot, expected) << "drawn outside the hosts";
            auto second = saver(id);
            EXPECT_TRUE(second->ended(0, 5000));
            xvfb.xdotool({"mousemove", "200", "200", "click", "1", "key", "space", "windowsize", id, "320", "300"});
            EXPECT_EQ(xvfb.pointerVisible(), std::optional<bool>(true));
            EXPECT_TRUE(QTest::qWaitFor([&] { return pictureAt(140, top = 185, 2); }, 5000)) << "not centred anew";
        }
        ASSERT_TRUE(run->isRunning() && right->isRunning());
        signal ? (void)::kill(static_cast<pid_t>(run->processId()), signal) : tool.kill();
        EXPECT_TRUE(run->ended(0, 5000)) << signal;
    }
    // The window now gone, then garbage: a message, status 0 at once, nothing drawn.
    for (const QString &bad : {id, QString(), QString("garbage"), QString("0x"), QString(" 12")})
        EXPECT_TRUE(saver(bad)->ended(0, 5000)) << bad.toStdString();
    EXPECT_EQ(countPixels(xvfb.screenshot().copy(0, 0, 320, 480), Qt::white, 0), 320 * 480);
}

TEST_F(EmbeddedShowE2E, RealXScreenSaverShowsThePicturesAndAKeyEndsThem)
{
    // XScreenSaver runs no saver for root: an ordinary user with a home of its own.
    const QString home = folder.file("home");
    folder.write("home/.xscreensaver", "lock: False\nfade: False\nunfade: False\nmode: one\nselected: 0\nprograms: "
                                           + program.toLocal8Bit() + " /s\n");
    QFile::setPermissions(folder.path(), QFile::permissions(program));
    QStringList user{"env"};
    if (geteuid() == 0 && ::chown(QFile::encodeName(home).constData(), 65534, 65534) == 0)
        user = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "env"};
    ProgramRun daemon(xvfb, user.takeFirst(), user + QStringList{"HOME=" + home, "xscreensaver", "-no-splash"}, home);
    ASSERT_TRUE(QTest::qWaitFor([&] { return xvfb.run("xscreensaver-command", {"-activate"}).has_value(); }, 15000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pictureAt(300, 225); }, 15000)) << daemon.errorOutput();
    const QString pid = QString::fromLatin1(xvfb.run("xdotool", {"search", "--name", "^Form1$", "getwindowpid"}).value_or(""));
    ASSERT_FALSE(pid.isEmpty());
    // XScreenSaver ignores input in the first moments after blanking: press until it unblanks.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return xvfb.xdotool({"key", "space"}) && !QFileInfo::exists("/proc/" + pid.trimmed());
    }, 15000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return countPixels(xvfb.screenshot(), Qt::white, 0) == 640 * 480; },
                                5000)) << "the desktop did not come back";
}

}
