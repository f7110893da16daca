// The idle host's wiring, with a fake idle source and a show that cannot start.
#include "idle/IdleHost.h"
#include "idle/IdleSource.h"
#include "idle/ScreenSaverService.h"
#include "idle/ShowProcess.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct FakeSource : IdleSource {
    QString start(int) override { return {}; }
    void setInhibited(bool on) override { inhibited = on; }
    void stop() override {}
    bool inhibited = false;
};
}

TEST(IdleHost, AFailedStartWaitsForTheNextIdlePeriodWhichCountsFromTheLastInhibitionsEnd)
{
    FakeSource source;
    ScreenSaverService service{QDBusConnection(QString())};
    ShowProcess show;
    show.setProgram("/nonexistent/Vistello");
    IdleHost host(source, service, show, 1);
    QSignalSpy starts(&show, &ShowProcess::ended);   // each start fails and ends
    Q_EMIT source.idleReached();
    EXPECT_TRUE(QTest::qWaitFor([&] { return starts.count() == 1; }, 3000));
    Q_EMIT source.idleReached();
    Q_EMIT service.inhibitionsChanged(1);
    EXPECT_TRUE(source.inhibited);
    Q_EMIT source.userActive();
    Q_EMIT source.idleReached();
    Q_EMIT service.inhibitionsChanged(0);
    EXPECT_FALSE(source.inhibited);
    QTest::qWait(500);
    EXPECT_EQ(starts.count(), 1) << "a start before the limit, or a retry without input";
    EXPECT_TRUE(QTest::qWaitFor([&] { return starts.count() == 2; }, 3000));
}
