// The idle host's wiring with a fake idle source and a show that cannot start (the rest of the wiring is
// the end-to-end tests': inhibitions under X11, the wait after one under mutter).
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
    void setInhibited(bool) override {}
    void stop() override {}
};
}

TEST(IdleHost, AShowThatCannotStartIsTriedAgainOnlyAfterTheUserCameBackAndTheNextIdlePeriod)
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
    QTest::qWait(300);
    EXPECT_EQ(starts.count(), 1) << "a retry without input";
    Q_EMIT source.userActive();
    Q_EMIT source.idleReached();
    EXPECT_TRUE(QTest::qWaitFor([&] { return starts.count() == 2; }, 3000));
}
