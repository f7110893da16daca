#include "support/XvfbSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <signal.h>
#include <unistd.h>

namespace {
bool displayInUse(int n)
{
    return QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))
        || QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n));
}
}

XvfbSession::XvfbSession(QSize screen)
    : size_(screen)
{
    QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Start from a number tied to the process, so parallel test runs rarely race
    // for the same display; a server that exits at once lost the race: try the next.
    const int first = 100 + static_cast<int>(getpid() % 400);
    for (int n = first; n < first + 60; ++n) {
        if (displayInUse(n))
            continue;
        auto server = std::make_unique<QProcess>();
        server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server->setStandardOutputFile(QProcess::nullDevice());
        server->start(QStringLiteral("Xvfb"),
                      {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"), QStringLiteral("0"),
                       QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset"),
                       QStringLiteral("-wr")});
        if (!server->waitForStarted(5000))
            return;
        display_ = QStringLiteral(":%1").arg(n);
        const bool up = waitUntil([&] {
            return server->state() != QProcess::Running
                || QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n));
        }, 10000);
        if (up && server->state() == QProcess::Running) {
            server_ = std::move(server);
            // The socket exists slightly before the server answers.
            waitUntil([this] { return xdotool({QStringLiteral("getdisplaygeometry")}); }, 10000, 100);
            return;
        }
        display_.clear();
    }
}

XvfbSession::~XvfbSession()
{
    if (!server_)
        return;
    const qint64 pid = server_->processId();
    if (pid > 0)
        ::kill(static_cast<pid_t>(pid), SIGTERM);
    if (!server_->waitForFinished(5000)) {
        server_->kill();
        server_->waitForFinished(5000);
    }
}

bool XvfbSession::isRunning() const
{
    return server_ && server_->state() == QProcess::Running;
}

QProcessEnvironment XvfbSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    return env;
}

std::optional<QString> XvfbSession::run(const QString &program, const QStringList &arguments, int timeoutMs) const
{
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(program, arguments);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        return std::nullopt;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

bool XvfbSession::xdotool(const QStringList &arguments, QString *output) const
{
    const auto out = run(QStringLiteral("xdotool"), arguments);
    if (output && out)
        *output = *out;
    return out.has_value();
}

QImage XvfbSession::screenshot() const
{
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(QStringLiteral("import"), {QStringLiteral("-silent"), QStringLiteral("-window"), QStringLiteral("root"),
                                       QStringLiteral("png:-")});
    if (!p.waitForFinished(20000))
        return {};
    QImage image = QImage::fromData(p.readAllStandardOutput(), "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

bool XvfbSession::screenIsBlack() const
{
    const QImage shot = screenshot();
    return !shot.isNull() && countPixels(shot, qRgb(0, 0, 0)) == shot.width() * shot.height();
}

std::optional<bool> XvfbSession::pointerVisible() const
{
    const auto out = run(QStringLiteral(VISTELLO_CURSOR_PROBE), {});
    if (!out)
        return std::nullopt;
    return out->trimmed() == QLatin1String("visible");
}

ProgramRun::ProgramRun(const XvfbSession &session, const QString &program, const QStringList &arguments,
                       const QString &workingFolder)
    : process_(std::make_unique<QProcess>())
{
    process_->setProcessEnvironment(session.environment());
    process_->setWorkingDirectory(workingFolder);
    process_->setStandardOutputFile(QProcess::nullDevice());
    process_->start(program, arguments);
    started_ = process_->waitForStarted(10000);
}

ProgramRun::~ProgramRun()
{
    if (process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

bool ProgramRun::isRunning() const
{
    return process_->state() == QProcess::Running;
}

bool ProgramRun::waitForExit(int timeoutMs)
{
    if (process_->state() == QProcess::NotRunning)
        return true;
    return process_->waitForFinished(timeoutMs);
}

int ProgramRun::exitCode() const { return process_->exitCode(); }
QProcess::ExitStatus ProgramRun::exitStatus() const { return process_->exitStatus(); }
qint64 ProgramRun::processId() const { return process_->processId(); }

QString ProgramRun::errorOutput() const
{
    return QString::fromLocal8Bit(process_->readAllStandardError());
}

QString copyProgram(const QString &builtProgram, const QString &folder)
{
    const QString target = folder + QLatin1Char('/') + QFileInfo(builtProgram).fileName();
    QFile::remove(target);
    QFile::copy(builtProgram, target);
    QFile::setPermissions(target, QFile::permissions(builtProgram));
    return target;
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int stepMs)
{
    QElapsedTimer timer;
    timer.start();
    while (true) {
        if (condition())
            return true;
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, stepMs);
        QThread::msleep(static_cast<unsigned long>(stepMs));
    }
}

int countPixels(const QImage &image, QRgb color)
{
    int n = 0;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            n += (qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])) == qRgb(qRed(color), qGreen(color), qBlue(color)));
    }
    return n;
}

::testing::AssertionResult endedWithStatus0(ProgramRun &run, int timeoutMs)
{
    if (!run.waitForExit(timeoutMs))
        return ::testing::AssertionFailure() << "the program did not end";
    if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
        return ::testing::AssertionFailure() << "exit status " << run.exitCode() << ": "
                                             << run.errorOutput().toStdString();
    return ::testing::AssertionSuccess();
}
