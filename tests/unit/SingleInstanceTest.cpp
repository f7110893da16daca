#include "platform/SingleInstance.h"
#include "support/TestFiles.h"
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(SingleInstanceTest, SecondInstanceIsRefusedByALockOnlyThisUserCanTouchAndAStaleLockIsTakenOver)
{
    const QFileInfo folder(SingleInstance::defaultLockFolder());
    EXPECT_TRUE(folder.ownerId() == getuid() && !(folder.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther)))
        << qPrintable(folder.filePath());
    const QString name = QStringLiteral("VistelloUnit%1").arg(getpid());
    SingleInstance first(name), second(name), other(name + "_manual");  // the two programs do not exclude each other
    EXPECT_FALSE(first.otherInstanceRunning());
    EXPECT_TRUE(QFileInfo::exists(folder.filePath() + "/" + name + ".lock"));
    EXPECT_FALSE(first.otherInstanceRunning());  // asking again does not refuse itself
    EXPECT_TRUE(second.otherInstanceRunning());
    EXPECT_FALSE(other.otherInstanceRunning());

    ScratchFolder locks;
    QProcess dead;
    dead.start("true");
    ASSERT_TRUE(dead.waitForFinished());
    const QByteArray host = QSysInfo::machineHostName().toUtf8();  // stale: a process that is gone, half written
    for (const QByteArray &lock : {QByteArray::number(dead.processId()) + "\nA\n" + host + "\n", QByteArray("\x01\0x", 3)}) {
        locks.write("A.lock", lock);
        SingleInstance instance("A", locks.path());
        EXPECT_FALSE(instance.otherInstanceRunning()) << lock.toStdString();
        EXPECT_TRUE(SingleInstance("A", locks.path()).otherInstanceRunning());
    }
}
