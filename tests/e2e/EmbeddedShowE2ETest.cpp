// The real Vistello in a desktop screen saver's window: a test tool's plain window, and XScreenSaver's.
#include "support/XvfbSession.h"
#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>
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
    // Opens a window of the test tool as the host's (by default 200 high at y 50); returns its id.
    QString host(QProcess &tool, int x, int width, QStringList more = {"50", "200"})
    {
        tool.setProcessEnvironment(xvfb.environment());
        tool.start(VISTELLO_HOST_WINDOW, QStringList{QString::number(x), more.takeFirst(), QString::number(width)} + more);
        return tool.waitForReadyRead(10000) ? QString::fromLatin1(tool.readLine().trimmed()) : QString();
    }
    std::unique_ptr<ProgramRun> saver(const QString &window, const QStringList &environment = {})
    {
        return std::make_unique<ProgramRun>(xvfb, program, QStringList{"/s"}, folder.path(),
                                            QStringList{"XSCREENSAVER_WINDOW=" + window} + environment);
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
    const QString rightId = host(rightTool, 320, 320);
    auto right = saver(QString::number(rightId.toUInt(nullptr, 16)));   // decimal
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
            // The same window id on another server of the user's is another window, with a show of its own.
            XvfbSession remote(QSize(320, 200));
            QProcess remoteTool;
            remoteTool.setProcessEnvironment(remote.environment());
            remoteTool.start(VISTELLO_HOST_WINDOW, {"0", "0", "320", "200"});
            ASSERT_TRUE(remoteTool.waitForReadyRead(10000) && remoteTool.readLine().trimmed() == id) << "ids differ";
            ProgramRun remoteShow(remote, program, {"/s"}, folder.path(), {"XSCREENSAVER_WINDOW=" + id,
                                  "XDG_RUNTIME_DIR=" + xvfb.environment().value("XDG_RUNTIME_DIR")});
            EXPECT_TRUE(QTest::qWaitFor([&] { return countPixels(remote.screenshot(), Qt::red, 0) == 1200; }, 10000));
            xvfb.xdotool({"mousemove", "200", "200", "click", "1", "key", "space", "windowsize", id, "320", "300"});
            EXPECT_EQ(xvfb.pointerVisible(), std::optional<bool>(true));
            EXPECT_TRUE(QTest::qWaitFor([&] { return pictureAt(140, top = 185, 2); }, 5000)) << "not centred anew";
        }
        ASSERT_TRUE(run->isRunning() && right->isRunning());
        signal ? (void)run->signal(signal) : tool.kill();
        EXPECT_TRUE(run->ended(0, 5000)) << signal;
    }
    // The window now gone, one that cannot be drawn in, no window id, then no X display at all (a Wayland
    // session): a message, status 0 at once, nothing drawn and no window of the show's own.
    QProcess inputOnly;
    for (const QString &bad : {id, host(inputOnly, 0, 320, {"0", "480", "input-only"}), QString(), QString("0x"),
                               rightId + " DISPLAY="}) {
        auto run = saver(bad.section(' ', 0, 0), bad.section(' ', 1).split(' ', Qt::SkipEmptyParts));
        EXPECT_TRUE(run->ended(0, 5000)) << bad.toStdString();
        EXPECT_NE(run->errorOutput().find("names no window"), std::string::npos);
    }
    EXPECT_EQ(countPixels(xvfb.screenshot().copy(0, 0, 320, 480), Qt::white, 0), 320 * 480);
    EXPECT_EQ(xvfb.run("xdotool", {"search", "--onlyvisible", "--name", "^Form1$"}).value_or("").count('\n'), 1)
        << "a window of the show's own";
}

// A photo larger than the host's window, centred: pixel for pixel in device pixels at any Qt scale factor (at a
// fractional one the last column or row may stay black), and when the window grows, the part that comes into
// view shows at once, the picture staying where it was.
TEST_F(EmbeddedShowE2E, FillsTheHostInDevicePixelsAtAnyScaleAndShowsWhatTheHostGrowsInto)
{
    // Four 200 x 150 quarters; one switch in ten seconds.
    QImage photo(400, 300, QImage::Format_RGB32);
    const QColor quarters[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int i = 0; i < 4; ++i)
        QPainter(&photo).fillRect(i % 2 * 200, i / 2 * 150, 200, 150, quarters[i]);
    QFile::remove(folder.file("red.bmp"));
    ASSERT_TRUE(photo.save(folder.file("photo.bmp")));
    folder.write("Vistello.ini", folder.path().toLocal8Bit() + "/\r\nRANDOM\r\n1\r\n1\r\n3\r\n");
    // What the screen should show with the host at 100, 100 and the photo's corner at -99, -100 in it.
    const auto shows = [&](QSize hostSize) {
        const QImage shot = xvfb.screenshot();
        int wrong = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QPoint inPhoto(x - 1, y);
                const QColor expected = !QRect(QPoint(100, 100), hostSize).contains(x, y) ? QColor(Qt::white)
                                        : photo.rect().contains(inPhoto)                   ? photo.pixelColor(inPhoto)
                                                                                           : QColor(Qt::black);
                const bool edge = x == 99 + hostSize.width() || y == 99 + hostSize.height();
                wrong += shot.pixelColor(x, y) != expected && !(edge && shot.pixelColor(x, y) == Qt::black);
            }
        return wrong == 0;
    };
    // At 1.75 the logical size nearest 202 x 100 would be one device pixel short.
    for (const char *factor : {"1", "1.5", "1.75", "2"}) {
        SCOPED_TRACE(factor);
        QProcess tool;
        const QString id = host(tool, 100, 202, {"100", "100"});
        auto run = saver(id, {QString("QT_SCALE_FACTOR=") + factor});
        EXPECT_TRUE(QTest::qWaitFor([&] { return shows({202, 100}); }, 10000)) << run->errorOutput();
        xvfb.xdotool({"windowsize", id, "400", "300"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return shows({400, 300}); }, 1000));
        run->signal(SIGTERM);
        EXPECT_TRUE(run->ended(0, 5000));
    }
}

// Named the root window, the show draws on the desktop below every window, and the program's own interest in
// the root window's events stays with the show's.
TEST_F(EmbeddedShowE2E, RootWindowAsHostDrawsBelowTheWindows)
{
    QProcess tool;
    host(tool, 0, 320, {"0", "480"});
    const QString root = QRegularExpression("Window id: (\\S+)").match(xvfb.run("xwininfo", {"-root"}).value_or("")).captured(1);
    QFile::remove(folder.file("red.bmp"));
    auto run = saver(root);
    ASSERT_TRUE(QTest::qWaitFor([&] { return countPixels(xvfb.screenshot(), Qt::black, 0) == 320 * 480; }, 10000))
        << run->errorOutput();
    EXPECT_EQ(countPixels(xvfb.screenshot().copy(0, 0, 320, 480), QColor(0x80, 0x80, 0x80), 0), 320 * 480);
    const QString events = xvfb.run("xwininfo", {"-root", "-events"}).value_or("");
    EXPECT_TRUE(events.contains("PropertyChange") && events.contains("StructureNotify")) << events.toStdString();
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
