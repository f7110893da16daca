// The desktop's lock screen wins over the show: buses of the test's own with a stand-in for GNOME's or KDE's
// screen saver (session bus) or for logind (in the system bus's place).
#include "support/SessionBus.h"
#include "support/XvfbSession.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTest>

namespace {

constexpr char kSession[] = "/org/freedesktop/login1/session/c1";

// Answers GetActive (a screen saver), GetSessionByPID and the LockedHint property (logind) with `shielded`.
class StandIn : public QDBusVirtualObject {
public:
    explicit StandIn(bool shielded) : shielded_(shielded) {}
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &bus) override
    {
        const QString member = message.member();
        const QVariant answer = member == "GetSessionByPID" ? QVariant::fromValue(QDBusObjectPath(kSession))
                                : member == "Get"           ? QVariant::fromValue(QDBusVariant(shielded_))
                                                            : QVariant(shielded_);
        return bus.send(message.createReply(answer));
    }
    QString introspect(const QString &) const override { return {}; }

private:
    bool shielded_;
};

TEST(ShieldE2E, ShieldUpEndsTheShowAndOneUpAtTheStartLetsNoneBegin)
{
    XvfbSession xvfb;
    SessionBus session, system;
    ASSERT_TRUE(xvfb.isRunning() && session.isRunning() && system.isRunning());
    ScratchFolder folder;   // no pictures: the show is black
    const QString program = copyProgram(VISTELLO_BIN, folder.path());
    const struct { bool onSystemBus; const char *service, *path, *interface, *signal; bool atStart; } rows[] = {
        {false, "org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver", "ActiveChanged", false},
        {false, "org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver", "ActiveChanged", true},
        {true, "org.freedesktop.login1", kSession, "org.freedesktop.login1.Session", "Lock", false},
        {true, "org.freedesktop.login1", kSession, "org.freedesktop.login1.Session", "Lock", true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.service) + (row.atStart ? " at the start" : " during the show"));
        QDBusConnection bus = (row.onSystemBus ? system : session).connect(row.service);
        StandIn standIn(row.atStart);
        ASSERT_TRUE(bus.registerVirtualObject("/", &standIn, QDBusConnection::SubPath) && bus.registerService(row.service));
        ProgramRun show(xvfb, program, {"/s"}, folder.path(),
                        {session.environmentEntry(), "DBUS_SYSTEM_BUS_ADDRESS=" + system.address()});
        // The stand-in answers only while this process handles its events.
        if (row.atStart) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !show.isRunning(); }, 5000) && show.ended(0));
            EXPECT_FALSE(xvfb.screenIsBlack()) << "drawn behind the shield";
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return xvfb.screenIsBlack(); }, 10000)) << show.errorOutput();
            QDBusMessage up = QDBusMessage::createSignal(row.path, row.interface, row.signal);
            if (!row.onSystemBus)
                up << true;
            bus.send(up);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !show.isRunning(); }, 5000) && show.ended(0));
        }
        bus.unregisterObject("/");
        SessionBus::disconnect(row.service);
    }
}

}
