// vistello-idle on an X server and a session bus of the test's own, with the limit
// at 2 seconds: when the show comes, and what keeps it off.
#include "support/SessionBus.h"
#include "support/XvfbSession.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QDBusInterface>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <csignal>

namespace {

constexpr int kLimitMs = 2000;
const QString kService = "org.freedesktop.ScreenSaver";

class IdleHostE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning() && bus.isRunning()) << "Xvfb or dbus-daemon did not start";
        // The show: one red picture centred on black, in file-name order.
        ASSERT_TRUE(writePicture(folder.file("a.bmp"), 64, 48, Qt::red));
        folder.write("Vistello.ini", QDir(folder.path()).canonicalPath().toUtf8() + "/\r\nFILE_NAME\r\n 1 \r\n 9 \r\n 3 \r\n");
    }

    // The host beside a Vistello of its own.
    std::unique_ptr<ProgramRun> startHost(const QStringList &arguments = {"2s"}, const QStringList &environment = {})
    {
        return std::make_unique<ProgramRun>(xvfb, host, arguments, folder.path(),
                                            QStringList{bus.environmentEntry()} + environment);
    }
    QString saverSettings() const
    {
        static const QRegularExpression line("timeout:.*");
        return line.match(QString(xvfb.run("xset", {"q"}).value_or(""))).captured();
    }
    bool showing() const { return countPixels(xvfb.screenshot(), Qt::red, 0) == 64 * 48; }
    ::testing::AssertionResult showComesAfterTheLimit(const QElapsedTimer &since) const
    {
        if (!QTest::qWaitFor([&] { return showing(); }, 4 * kLimitMs))
            return ::testing::AssertionFailure() << "no show";
        if (since.elapsed() < kLimitMs)
            return ::testing::AssertionFailure() << "the show came after " << since.elapsed() << " ms";
        return ::testing::AssertionSuccess();
    }
    bool noShowFor(int ms) const { return !QTest::qWaitFor([&] { return showing(); }, ms); }
    static QDBusMessage call(const QDBusConnection &caller, const QString &path, const QString &method,
                             const QVariant &first, const QVariant &second = {})
    {
        QDBusInterface screenSaver(kService, path, kService, caller);
        return second.isValid() ? screenSaver.call(method, first, second) : screenSaver.call(method, first);
    }
    XvfbSession xvfb;
    SessionBus bus;
    ScratchFolder folder;
    const QString show = copyProgram(VISTELLO_BIN, folder.path());
    const QString host = copyProgram(VISTELLO_IDLE_BIN, folder.path());
};

TEST_F(IdleHostE2E, ShowComesAfterTheIdleTimeNeverDuringUseAndAgainAfterAKey)
{
    xvfb.run("xset", {"s", "noblank"});
    const QString before = saverSettings();
    xvfb.moveTo({100, 100});
    auto idleHost = startHost();
    QElapsedTimer sinceInput;
    for (int i = 0; i < 10; ++i) {
        ASSERT_FALSE(showing()) << "a show during use, after " << i << " moves";
        xvfb.moveTo({100 + 10 * (i % 2), 100});
        sinceInput.start();
        QTest::qWait(kLimitMs / 4);
    }
    // The show stays on top: no server saver tiles the root over it (xset s noblank).
    ASSERT_TRUE(showComesAfterTheLimit(sinceInput)) << idleHost->errorOutput();
    EXPECT_FALSE(QTest::qWaitFor([&] { return !showing(); }, 1500));
    EXPECT_TRUE(saverSettings().contains(QRegularExpression("timeout:\\s+2\\s+cycle:\\s+0")))
        << saverSettings().toStdString();
    ProgramRun second(xvfb, host, {"5s"}, folder.path(), {bus.environmentEntry()});
    EXPECT_TRUE(second.ended(1));
    EXPECT_NE(second.errorOutput().find("another screen saver runs"), std::string::npos);

    xvfb.xdotool({"key", "Return"});
    sinceInput.restart();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !showing(); }, 5000)) << "a key did not end the show";
    EXPECT_TRUE(showComesAfterTheLimit(sinceInput)) << "no second show";

    // SIGTERM ends the host and its show, and gives the server its settings back.
    ::kill(pid_t(idleHost->processId()), SIGTERM);
    EXPECT_TRUE(idleHost->ended(0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !showing() && !xvfb.screenIsBlack(); }, 5000))
        << "the show, or the server's blank, outlived the host";
    EXPECT_EQ(saverSettings(), before);
}

TEST_F(IdleHostE2E, InhibitionsKeepTheShowOffUntilUnInhibitAndUntilTheirCallerLeaves)
{
    QDBusConnection test = bus.connect("test"), player = bus.connect("player");
    auto idleHost = startHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.interface()->isServiceRegistered(kService).value(); }, 10000));
    xvfb.moveTo({100, 100});
    const QDBusMessage cookie = call(player, "/org/freedesktop/ScreenSaver", "Inhibit", "player", "video");
    ASSERT_EQ(cookie.type(), QDBusMessage::ReplyMessage) << cookie.errorMessage().toStdString();
    call(bus.connect("browser"), "/ScreenSaver", "Inhibit", "browser", "video");
    EXPECT_TRUE(noShowFor(2 * kLimitMs));
    EXPECT_EQ(xvfb.run(VISTELLO_SAVER_CONTROL, {"state"}).value_or("").trimmed(), "off")
        << "the server's screen saver (and so DPMS) is not held off";

    call(player, "/org/freedesktop/ScreenSaver", "UnInhibit", cookie.arguments().value(0));
    EXPECT_TRUE(noShowFor(2 * kLimitMs)) << "one inhibition still stands";
    SessionBus::disconnect("browser");
    QElapsedTimer sinceEnd;
    sinceEnd.start();
    EXPECT_TRUE(showComesAfterTheLimit(sinceEnd)) << idleHost->errorOutput();

    // A desktop's own service takes the name over: the host says so and lets it be.
    EXPECT_EQ(test.interface()->registerService(kService, QDBusConnectionInterface::ReplaceExistingService).value(),
              QDBusConnectionInterface::ServiceRegistered);
    std::string said;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (said += idleHost->errorOutput()).find(kService.toStdString()) != std::string::npos; }, 5000));
}

TEST_F(IdleHostE2E, ASuspensionOfTheServersScreenSaverKeepsTheShowOffUntilItEnds)
{
    QProcess game;
    game.setProcessEnvironment(xvfb.environment());
    game.start(VISTELLO_SAVER_CONTROL, {"suspend"});
    ASSERT_TRUE(game.waitForReadyRead(10000));
    auto idleHost = startHost();
    EXPECT_TRUE(noShowFor(3 * kLimitMs));
    game.write("resume\n");
    ASSERT_TRUE(game.waitForReadyRead(10000));
    QElapsedTimer sinceEnd;
    sinceEnd.start();
    EXPECT_TRUE(showComesAfterTheLimit(sinceEnd)) << idleHost->errorOutput();
    game.closeWriteChannel();
    game.waitForFinished(5000);
}

TEST_F(IdleHostE2E, BadArgumentsAndNoDisplayEndAtOnceWithAReason)
{
    const struct { QStringList arguments, environment; int status; const char *said; } rows[] = {
        {{"0"}, {}, 2, "usage: vistello-idle [MINUTES | SECONDSs]"},
        {{"2s"}, {"DISPLAY="}, 1, "no display to watch"},
        {{"2s"}, {"DISPLAY=:9999"}, 1, "cannot open the X display"},
    };
    for (const auto &row : rows) {
        auto run = startHost(row.arguments, row.environment);
        EXPECT_TRUE(run->ended(row.status, 5000)) << row.said;
        EXPECT_NE(run->errorOutput().find(row.said), std::string::npos) << row.said;
    }
}

}
