// vistello-idle on an X server and a session bus of the test's own, with the limit at 2 seconds
// and a red full-screen stand-in for its Vistello: when the show comes, and what keeps it off.
#include "support/IdleHostRun.h"
#include "support/SessionBus.h"
#include "support/XvfbSession.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QRegularExpression>
#include <QTest>

#include <csignal>

namespace {

constexpr int kLimitMs = IdleHostRun::kLimitMs;
const QString kService = "org.freedesktop.ScreenSaver";

class IdleHostE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(xvfb.isRunning() && bus.isRunning()) << "Xvfb or dbus-daemon did not start"; }

    std::unique_ptr<IdleHostRun> startHost(const QStringList &arguments = {"2s"}, const QString &display = {})
    {
        QProcessEnvironment env = xvfb.environment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        if (!display.isNull())
            env.insert("DISPLAY", display);
        return std::make_unique<IdleHostRun>(env, arguments);
    }
    QString saverSettings() const
    {
        static const QRegularExpression line("timeout:.*");
        return line.match(QString(xvfb.run("xset", {"q"}).value_or(""))).captured();
    }
    // The stand-in covers the screen, not the server's blank or tiles.
    bool showing() const { return countPixels(xvfb.screenshot(), Qt::red, 0) == 800 * 600; }
    static QDBusMessage call(const QDBusConnection &caller, const QString &path, const QString &method,
                             const QVariant &first, const QVariant &second = {})
    {
        QDBusInterface screenSaver(kService, path, kService, caller);
        return second.isValid() ? screenSaver.call(method, first, second) : screenSaver.call(method, first);
    }
    XvfbSession xvfb;
    SessionBus bus;
};

TEST_F(IdleHostE2E, ShowComesAfterTheIdleTimeNeverDuringUseAndStaysAboveTheServersSaver)
{
    xvfb.run("xset", {"s", "noblank"});
    const QString before = saverSettings();
    xvfb.moveTo({100, 100});
    auto host = startHost();
    QElapsedTimer sinceInput;
    for (int i = 0; i < 10; ++i) {
        xvfb.moveTo({100 + 10 * (i % 2), 100});
        sinceInput.start();
        QTest::qWait(kLimitMs / 4);
    }
    ASSERT_TRUE(host->shows().isEmpty()) << "a show during use";
    ASSERT_TRUE(host->showComes(sinceInput));
    // It stays on top: no server saver tiles the root over it (xset s noblank).
    EXPECT_TRUE(QTest::qWaitFor([&] { return showing(); }, 5000));
    EXPECT_FALSE(QTest::qWaitFor([&] { return !showing(); }, 1500));
    IdleHostRun second(xvfb.environment(), {"5s"});
    EXPECT_TRUE(second.ended(1));
    EXPECT_NE(second.said().find("another screen saver runs"), std::string::npos);

    // SIGTERM ends the host and its show, and gives the server its settings back. (The timeout while it runs, the
    // key that ends a show and the next show are the install test's, with the real show.)
    host->signal(SIGTERM);
    EXPECT_TRUE(host->ended(0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !showing() && !xvfb.screenIsBlack(); }, 5000))
        << "the show, or the server's blank, outlived the host";
    EXPECT_EQ(saverSettings(), before);
}

// A game's suspension of the server's screen saver keeps the show off until it resumes it, inhibitions over D-Bus
// until UnInhibit and until their caller leaves the bus.
TEST_F(IdleHostE2E, SuspensionsAndInhibitionsKeepTheShowOffUntilLiftedOrTheirCallerLeaves)
{
    QProcess game;
    game.setProcessEnvironment(xvfb.environment());
    game.start(VISTELLO_SAVER_CONTROL, {"suspend"});
    ASSERT_TRUE(game.waitForReadyRead(10000));
    QDBusConnection test = bus.connect("test"), player = bus.connect("player");
    auto host = startHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.interface()->isServiceRegistered(kService).value(); }, 10000));
    EXPECT_TRUE(host->noShowFor(2 * kLimitMs)) << "a show while a game holds the server's saver off";
    const QDBusMessage cookie = call(player, "/org/freedesktop/ScreenSaver", "Inhibit", "player", "video");
    ASSERT_EQ(cookie.type(), QDBusMessage::ReplyMessage) << cookie.errorMessage().toStdString();
    call(bus.connect("browser"), "/ScreenSaver", "Inhibit", "browser", "video");
    game.write("resume\n");
    ASSERT_TRUE(game.waitForReadyRead(10000));
    EXPECT_TRUE(host->noShowFor(2 * kLimitMs));
    EXPECT_EQ(xvfb.run(VISTELLO_SAVER_CONTROL, {"state"}).value_or("").trimmed(), "off")
        << "the server's screen saver (and so DPMS) is not held off";

    call(player, "/org/freedesktop/ScreenSaver", "UnInhibit", cookie.arguments().value(0));
    EXPECT_TRUE(host->noShowFor(2 * kLimitMs)) << "one inhibition still stands";
    SessionBus::disconnect("browser");
    QElapsedTimer sinceEnd;
    sinceEnd.start();
    EXPECT_TRUE(host->showComes(sinceEnd));

    // A desktop's own service takes the name over: the host says so and lets it be.
    EXPECT_EQ(test.interface()->registerService(kService, QDBusConnectionInterface::ReplaceExistingService).value(),
              QDBusConnectionInterface::ServiceRegistered);
    std::string said;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (said += host->said()).find(kService.toStdString()) != std::string::npos; }, 5000));
    game.closeWriteChannel();
    game.waitForFinished(5000);
}

TEST_F(IdleHostE2E, BadArgumentsAndNoDisplayEndAtOnceWithAReason)
{
    const struct { QStringList arguments; QString display; int status; const char *said; } rows[] = {
        {{"0"}, {}, 2, "usage: vistello-idle [MINUTES | SECONDSs]"},
        {{"2s"}, "", 1, "no display to watch"},
        {{"2s"}, ":9999", 1, "cannot open the X display"},
    };
    for (const auto &row : rows) {
        auto run = startHost(row.arguments, row.display);
        EXPECT_TRUE(run->ended(row.status)) << row.said;
        EXPECT_NE(run->said().find(row.said), std::string::npos) << row.said;
    }
}

}
