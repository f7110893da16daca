#include "support/IdleHostRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

IdleHostRun::IdleHostRun(const QProcessEnvironment &environment, const QStringList &arguments)
{
    QFile::copy(VISTELLO_IDLE_BIN, folder_.file("vistello-idle"));
    QFile::copy(VISTELLO_FULLSCREEN_WINDOW, folder_.file("Vistello"));
    process_.setProcessEnvironment(environment);
    process_.start(folder_.file("vistello-idle"), arguments);
    process_.waitForStarted(10000);
}

IdleHostRun::~IdleHostRun()
{
    process_.kill();
    process_.waitForFinished(5000);
    if (showRunning(int(shows().size()) - 1))   // a killed host leaves its show running
        ::kill(pid_t(shows().last()), SIGKILL);
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

bool IdleHostRun::showRunning(int index) const
{
    const qint64 id = shows().value(index);
    return id > 0 && QFileInfo(QString("/proc/%1/exe").arg(id)).symLinkTarget() == folder_.file("Vistello");
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
    for (int i = 0; i < shows().size(); ++i)
        if (showRunning(i))
            return ::testing::AssertionFailure() << "its show " << shows()[i] << " outlived it";
    return ::testing::AssertionSuccess();
}
