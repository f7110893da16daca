#include "support/XvfbSession.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

XvfbSession::XvfbSession(QSize screen)
    : size_(screen)
{
    server_.setStandardErrorFile(QProcess::nullDevice());
    // -displayfd: the server picks a free display itself and prints it once it takes clients.
    const QString size = QString("%1x%2x24").arg(screen.width()).arg(screen.height());
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", size, "-nolisten", "tcp", "-noreset", "-wr"});
    server_.waitForReadyRead(15000);
    if (const QByteArray number = server_.readLine().trimmed(); !number.isEmpty())
        display_ = ":" + QString::fromLatin1(number);
}

XvfbSession::~XvfbSession()
{
    for (QProcess *process : {&windowManager_, &server_}) {
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(5000);
    }
}

QProcessEnvironment XvfbSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_RUNTIME_DIR", runtime_.path());
    return env;
}

bool XvfbSession::startWindowManager()
{
    windowManager_.setProcessEnvironment(environment());
    windowManager_.start("openbox", {"--sm-disable"});
    // The desktop number is there only once a window manager runs.
    return windowManager_.waitForStarted(10000) && QTest::qWaitFor([this] { return xdotool({"get_desktop"}); }, 15000);
}

std::optional<QByteArray> XvfbSession::run(const QString &program, const QStringList &arguments, int timeoutMs) const
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

QString XvfbSession::findWindow(const QString &namePattern, int timeoutMs) const
{
    std::optional<QByteArray> ids;
    const QStringList search{"search", "--onlyvisible", "--name", namePattern};
    const bool found = QTest::qWaitFor([&] { return (ids = run("xdotool", search)).has_value(); }, timeoutMs);
    return found ? QString::fromLatin1(ids->split('\n').value(0)) : QString();
}

QImage XvfbSession::screenshot() const
{
    const auto png = run("import", {"-silent", "-window", "root", "png:-"}, 20000);
    return png ? QImage::fromData(*png, "PNG").convertToFormat(QImage::Format_RGB32) : QImage();
}

std::optional<bool> XvfbSession::pointerVisible() const
{
    const auto answer = run(VISTELLO_CURSOR_PROBE, {});
    return answer ? std::optional(answer->trimmed() == "visible") : std::nullopt;
}

ProgramRun::ProgramRun(const XvfbSession &session, const QString &program, const QStringList &arguments,
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
