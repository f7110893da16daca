// vistello-idle in Wayland sessions (a headless mutter on a session bus of the test's own, a headless sway),
// the limit at 2 seconds, and a stand-in for its Vistello.
#include "support/IdleHostRun.h"
#include "support/SessionBus.h"
#include "support/SwaySession.h"

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QDir>
#include <QTest>

namespace {

const QString kMonitor = "org.gnome.Mutter.IdleMonitor";

// GNOME's session manager as far as the host asks it: whether the session's idle (flag 8) is inhibited.
class SessionManager : public QDBusVirtualObject {
public:
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &bus) override
    {
        const bool asked = message.member() == "IsInhibited" && message.signature() == "u"
                           && message.arguments().value(0).toUInt() == 8;
        questions += asked;
        return bus.send(asked ? message.createReply(inhibited)
                              : message.createErrorReply(QDBusError::UnknownMethod, message.member()));
    }
    QString introspect(const QString &) const override { return {}; }
    // Holds or lifts the inhibition, says so, and waits until the host asked.
    bool hold(const QDBusConnection &bus, bool on)
    {
        inhibited = on;
        const int before = questions;
        bus.send(QDBusMessage::createSignal("/org/gnome/SessionManager", "org.gnome.SessionManager",
                                            on ? "InhibitorAdded" : "InhibitorRemoved")
                 << QVariant::fromValue(QDBusObjectPath("/org/gnome/SessionManager/Inhibitor1")));
        return QTest::qWaitFor([&] { return questions > before; }, 5000);
    }

    bool inhibited = false;
    int questions = 0;
};

TEST(IdleHostWaylandE2E, GnomesIdleMonitorStartsTheShowAndTheSessionManagersInhibitionHoldsItOffUntilLifted)
{
    SessionBus bus;
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    env.insert("WAYLAND_DISPLAY", "wayland-0");
    env.insert("QT_QPA_PLATFORM", "offscreen");   // for the stand-in
    env.insert("MUTTER_DEBUG_RESET_IDLETIME", "1");   // mutter's ResetIdletime, for tests
    QProcess mutter;
    mutter.setProcessEnvironment(env);
    mutter.setStandardErrorFile(QProcess::nullDevice());
    mutter.start("mutter", {"--headless", "--wayland", "--no-x11", "--virtual-monitor", "800x600"});
    QDBusConnection test = bus.connect("gnome");   // a name no other test used on its own bus
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.interface()->isServiceRegistered(kMonitor); }, 20000))
        << "mutter did not start";

    // Without GNOME's monitor, mutter tells a Wayland client no idle time: no source.
    QProcessEnvironment noBus = env;
    noBus.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    IdleHostRun alone(noBus);
    EXPECT_TRUE(alone.ended(1));
    EXPECT_NE(alone.said().find("tells no idle time"), std::string::npos);

    SessionManager manager;
    ASSERT_TRUE(test.registerVirtualObject("/org/gnome/SessionManager", &manager)
                && test.registerService("org.gnome.SessionManager"));
    // The user's input as mutter's idle monitor takes it (keys through its remote desktop service do the same).
    const auto key = [&] {
        const auto reset = QDBusMessage::createMethodCall(kMonitor, "/org/gnome/Mutter/IdleMonitor/Core", kMonitor, "ResetIdletime");
        return test.call(reset, QDBus::BlockWithGui).type() == QDBusMessage::ReplyMessage;   // the stand-in answers meanwhile
    };

    QElapsedTimer since;
    since.start();
    ASSERT_TRUE(key());
    IdleHostRun host(env);
    ASSERT_TRUE(host.showComes(since));

    // The show ends, the user is back, and a player holds the session's idle off.
    ASSERT_TRUE(manager.hold(test, true));
    ASSERT_TRUE(host.endShow(0));
    ASSERT_TRUE(key());
    EXPECT_TRUE(host.noShowFor(3 * IdleHostRun::kLimitMs));
    ASSERT_TRUE(manager.hold(test, false));
    since.restart();
    EXPECT_TRUE(host.showComes(since));
    // So does the session manager leaving the bus.
    ASSERT_TRUE(host.endShow(1));
    ASSERT_TRUE(manager.hold(test, true) && key());
    test.unregisterService("org.gnome.SessionManager");
    since.restart();
    EXPECT_TRUE(host.showComes(since));

    // The compositor goes: the host ends, and its show with it.
    mutter.terminate();
    EXPECT_TRUE(host.ended(0));
    mutter.waitForFinished(5000);
}

TEST(IdleHostWaylandE2E, SwaysIdleNotificationStartsTheShowAgainAfterAKeyAndAnIdleInhibitorHoldsItOff)
{
    auto sway = std::make_unique<SwaySession>();
    ASSERT_TRUE(sway->isRunning());
    auto window = std::make_unique<ProgramRun>(*sway, VISTELLO_FULLSCREEN_WINDOW, QStringList{}, QDir::tempPath());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sway->run("swaymsg", {"[app_id=vistello_fullscreen_window] inhibit_idle open"}).has_value(); }, 10000));
    QProcessEnvironment env = sway->environment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    IdleHostRun host(env);
    EXPECT_TRUE(host.noShowFor(3 * IdleHostRun::kLimitMs)) << "a show under an idle inhibitor";
    QElapsedTimer since;
    since.start();
    window.reset();
    ASSERT_TRUE(host.showComes(since));

    ASSERT_TRUE(sway->keys({"Return"}));
    since.restart();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !host.showRunning(0); }, 5000)) << "a key did not end the show";
    EXPECT_TRUE(host.showComes(since));

    // The compositor goes: the host ends with it.
    sway.reset();
    EXPECT_TRUE(host.ended(0));
}

}
