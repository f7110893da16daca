// vistello-idle in Wayland sessions, each with a session bus of the test's own, the limit at
// 2 seconds, and a stand-in for Vistello beside the host that notes each start in the file
// "starts", so that no row depends on the show.
#include "support/SessionBus.h"
#include "support/TestFiles.h"

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kLimitMs = 2000;

// A copy of vistello-idle with the stand-in as its Vistello.
class Host {
public:
    explicit Host(const QStringList &environment)
    {
        QFile::copy(VISTELLO_IDLE_BIN, folder_.file("vistello-idle"));
        QFile::copy(VISTELLO_SHOW_STAND_IN, folder_.file("Vistello"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        for (const QString &entry : environment)
            env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        process_.setProcessEnvironment(env);
        process_.start(folder_.file("vistello-idle"), {"2s"});
    }
    ~Host() { process_.kill(), process_.waitForFinished(5000); }

    // The process ids of the shows started so far.
    QList<QByteArray> starts() const
    {
        QList<QByteArray> pids = folder_.read("starts").split('\n');
        pids.removeAll({});
        return pids;
    }
    // The next show comes, not before the limit.
    ::testing::AssertionResult showComes(const QElapsedTimer &since) const
    {
        const qsizetype before = starts().size();
        if (!QTest::qWaitFor([&] { return starts().size() > before; }, 4 * kLimitMs))
            return ::testing::AssertionFailure() << "no show: " << process_.readAllStandardError().toStdString();
        if (since.elapsed() < kLimitMs)
            return ::testing::AssertionFailure() << "the show came after " << since.elapsed() << " ms";
        return ::testing::AssertionSuccess();
    }
    bool noShowFor(int ms) const
    {
        const qsizetype before = starts().size();
        return !QTest::qWaitFor([&] { return starts().size() > before; }, ms);
    }
    // Ended by itself with the status, the shows it started ended too.
    bool ended(int status)
    {
        return process_.waitForFinished(10000) && process_.exitStatus() == QProcess::NormalExit
            && process_.exitCode() == status
            && std::ranges::none_of(starts(), [](const QByteArray &pid) { return ::kill(pid.toInt(), 0) == 0; });
    }
    std::string said() { return process_.readAllStandardError().toStdString(); }

private:
    ScratchFolder folder_;
    mutable QProcess process_;
};

// GNOME's session manager as far as the host asks it: whether the session's idle (flag 8) is inhibited.
class SessionManager : public QDBusVirtualObject {
public:
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &bus) override
    {
        ++questions;
        const bool asked = message.member() == "IsInhibited" && message.signature() == "u"
                           && message.arguments().value(0).toUInt() == 8;
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
    QProcess mutter;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY"), env.remove("WAYLAND_DISPLAY");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    mutter.setProcessEnvironment(env);
    mutter.setStandardErrorFile(runtime.filePath("mutter.log"));
    mutter.start("mutter", {"--headless", "--wayland", "--no-x11", "--virtual-monitor", "800x600"});
    QDBusConnection test = bus.connect("gnome");   // a name no other test used on its own bus
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.interface()->isServiceRegistered("org.gnome.Mutter.IdleMonitor"); }, 20000))
        << "mutter did not start";
    const QStringList session{"DBUS_SESSION_BUS_ADDRESS=" + bus.address(), "XDG_RUNTIME_DIR=" + runtime.path(),
                              "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=offscreen"};

    // Without GNOME's monitor mutter tells a Wayland client no idle time: no source.
    Host alone(QStringList(session) << "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent");
    EXPECT_TRUE(alone.ended(1));
    EXPECT_NE(alone.said().find("tells no idle time"), std::string::npos);

    SessionManager manager;
    ASSERT_TRUE(test.registerVirtualObject("/org/gnome/SessionManager", &manager)
                && test.registerService("org.gnome.SessionManager"));
    // Keys through mutter's remote desktop, the only input of a headless mutter.
    const QString remote = "org.gnome.Mutter.RemoteDesktop";
    const QDBusMessage created = test.call(QDBusMessage::createMethodCall(remote, "/org/gnome/Mutter/RemoteDesktop", remote, "CreateSession"));
    const QString path = created.arguments().value(0).value<QDBusObjectPath>().path();
    const auto input = [&](const QString &method, const QVariantList &arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(remote, path, remote + ".Session", method);
        call.setArguments(arguments);
        // The stand-in on the same connection answers mutter meanwhile.
        return test.call(call, QDBus::BlockWithGui).type() == QDBusMessage::ReplyMessage;
    };
    const auto key = [&] { return input("NotifyKeyboardKeysym", {0xff1bu, true}) && input("NotifyKeyboardKeysym", {0xff1bu, false}); };
    ASSERT_TRUE(input("Start", {})) << created.errorMessage().toStdString();

    QElapsedTimer since;
    since.start();
    ASSERT_TRUE(key());
    Host host(session);
    ASSERT_TRUE(host.showComes(since));

    // The show ends, the user is back, and a player holds the session's idle off.
    ASSERT_TRUE(manager.hold(test, true));
    ::kill(host.starts().value(0).toInt(), SIGTERM);
    ASSERT_TRUE(key());
    EXPECT_TRUE(host.noShowFor(3 * kLimitMs));
    ASSERT_TRUE(manager.hold(test, false));
    since.restart();
    EXPECT_TRUE(host.showComes(since));

    // The compositor goes: the host ends, and its show with it.
    mutter.terminate();
    EXPECT_TRUE(host.ended(0)) << host.said();
    mutter.waitForFinished(5000);
}

}
