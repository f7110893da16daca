#include "support/DisplaySession.h"

#include <QFile>
#include <QFileInfo>

std::optional<QByteArray> DisplaySession::run(const QString &program, const QStringList &arguments, int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs))
        process.kill();
    else if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return process.readAllStandardOutput();
    return std::nullopt;
}

bool DisplaySession::screenIsBlack() const
{
    const QImage shot = screenshot();
    return !shot.isNull() && countPixels(shot, Qt::black, 0) == shot.width() * shot.height();
}

ProgramRun::ProgramRun(const DisplaySession &session, const QString &program, const QStringList &arguments,
                       const QString &workingFolder, const QStringList &environment)
{
    QProcessEnvironment env = session.environment();
    for (const QString &entry : environment)
        env.insert(entry.section('=', 0, 0), entry.section('=', 1));
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(workingFolder);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(program, arguments);
    process_.waitForStarted(10000);
}

::testing::AssertionResult ProgramRun::ended(int status, int timeoutMs)
{
    if (process_.error() == QProcess::FailedToStart)
        return ::testing::AssertionFailure() << "did not start: " << process_.errorString().toStdString();
    if (isRunning() && !process_.waitForFinished(timeoutMs))
        return ::testing::AssertionFailure() << "still running after " << timeoutMs << " ms";
    if (process_.exitStatus() != QProcess::NormalExit || process_.exitCode() != status)
        return ::testing::AssertionFailure() << (process_.exitStatus() == QProcess::NormalExit ? "status " : "crash ")
                                             << process_.exitCode() << ": " << errorOutput();
    return ::testing::AssertionSuccess();
}

QString copyProgram(const QString &builtProgram, const QString &folder)
{
    const QString copy = folder + "/" + QFileInfo(builtProgram).fileName();
    QFile::copy(builtProgram, copy);
    return copy;
}
