#include "platform/SingleInstance.h"
#include "support/ScratchFolder.h"

#include <QProcess>
#include <QSysInfo>
#include <gtest/gtest.h>

TEST(SingleInstanceTest, SecondInstanceOfTheSameProgramIsRefused)
{
    ScratchFolder locks;
    SingleInstance first(QStringLiteral("Vistello"), locks.path());
    SingleInstance second(QStringLiteral("Vistello"), locks.path());
    SingleInstance other(QStringLiteral("Vistello_manual"), locks.path());
    EXPECT_FALSE(first.otherInstanceRunning());
    EXPECT_FALSE(first.otherInstanceRunning());  // asking again does not refuse itself
    EXPECT_TRUE(second.otherInstanceRunning());
    EXPECT_FALSE(other.otherInstanceRunning());  // the programs do not exclude each other
}

TEST(SingleInstanceTest, LockOfAProcessThatIsGoneIsTakenOver)
{
    ScratchFolder locks;
    QProcess dead;
    dead.start(QStringLiteral("true"));
    ASSERT_TRUE(dead.waitForFinished());
    const QByteArray stale = QByteArray::number(dead.processId()) + "\nVistello\n"
        + QSysInfo::machineHostName().toUtf8() + "\n";
    locks.write(QStringLiteral("Vistello.lock"), stale);
    SingleInstance instance(QStringLiteral("Vistello"), locks.path());
    EXPECT_FALSE(instance.otherInstanceRunning());

    locks.write(QStringLiteral("Vistello_manual.lock"), QByteArray("\x01garbage", 8));
    SingleInstance manual(QStringLiteral("Vistello_manual"), locks.path());
    EXPECT_FALSE(manual.otherInstanceRunning());
}
