#include "support/IdleHostRun.h"

#include <QFile>
#include <QTest>

IdleHostRun::IdleHostRun(const QProcessEnvironment &environment, const QStringList &arguments)
{
    QFile::copy(VISTELLO_IDLE_BIN, folder_.file("vistello-idle"));
    QFile::copy(VISTELLO_SHOW_STAND_IN, folder_.file("Vistello"));
    process_.setProcessEnvironment(environment);
    process_.start(folder_.file("vistello-idle"), arguments);
    process_.waitForStarted(10000);
}

QList<qint64> IdleHostRun::shows() const
{
    QList<qint64> ids;
    for (const QByteArray &line : folder_.read("starts").split('\n'))
        if (!line.isEmpty())
            ids << line.toLongLong();
    return ids;
}

::testing::AssertionResult IdleHostRun::showComes(const QElapsedTimer &since)
{
    const qsizetype before = shows().size();
    if (!QTest::qWaitFor([&] { return shows().size() > before; }, 4 * kLimitMs))
        return ::testing::AssertionFailure() << "no show: " << said();
    if (since.elapsed() < kLimitMs)
        return ::testing::AssertionFailure() << "the show came after " << since.elapsed() << " ms";
    return ::testing::AssertionSuccess();
}

bool IdleHostRun::noShowFor(int ms) const
{
    const qsizetype before = shows().size();
    return !QTest::qWaitFor([&] { return shows().size() > before; }, ms);
}

::testing::AssertionResult IdleHostRun::ended(int status)
{
    if ((process_.state() != QProcess::NotRunning && !process_.waitForFinished(10000))
        || process_.exitStatus() != QProcess::NormalExit || process_.exitCode() != status)
        return ::testing::AssertionFailure() << "still running, crashed or status " << process_.exitCode() << ": " << said();
    for (const qint64 show : shows())
        if (::kill(pid_t(show), 0) == 0)
            return ::testing::AssertionFailure() << "its show " << show << " outlived it";
    return ::testing::AssertionSuccess();
}
