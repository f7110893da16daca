#include "support/SwaySession.h"

#include <QDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr uid_t kNobody = 65534;
// The outer sway has an output for each output of the inner one, the one sway can add included.
constexpr char kOuterConfig[] = "xwayland disable\ndefault_border none\n"
                                "workspace 1 output HEADLESS-1\nworkspace 2 output HEADLESS-2\n"
                                "workspace 3 output HEADLESS-3\nassign [title=\"WL-1$\"] workspace 1\n"
                                "assign [title=\"WL-2$\"] workspace 2\nassign [title=\"WL-3$\"] workspace 3\n";
// A panel that keeps its place free of windows, at the top.
constexpr char kInnerConfig[] = "xwayland disable\noutput * bg #ffffff solid_color\nbar {\nposition top\n}\n";
}

SwaySession::SwaySession()
{
    ::chmod(QFile::encodeName(base_.path()).constData(), 0755);
    if (!startSway(outer_, "outer", {"WLR_BACKENDS=headless", "WLR_HEADLESS_OUTPUTS=3", "WLR_LIBINPUT_NO_DEVICES=1"})
        || !startSway(inner_, "inner", {"WLR_BACKENDS=wayland", "WLR_WL_OUTPUTS=2",
                                        "WAYLAND_DISPLAY=" + socket("outer", "wayland-?")})
        || !QTest::qWaitFor([this] { return screenshot().width() == 2560; }, 15000))
        return;
    pointer_.setProcessEnvironment(environment());
    pointer_.start(VISTELLO_VIRTUAL_POINTER, {});
    moveTo({0, 0});
}

SwaySession::~SwaySession()
{
    for (QProcess *process : {&pointer_, &inner_, &outer_})
        process->terminate(), process->waitForFinished(5000);
}

bool SwaySession::startSway(QProcess &sway, const QString &name, const QStringList &variables)
{
    const QString folder = base_.filePath(name);
    QFile config(folder + ".conf");
    if (!QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) || !config.open(QIODevice::WriteOnly)
        || config.write(name == "outer" ? kOuterConfig : kInnerConfig) < 0
        || (geteuid() == 0 && ::chown(QFile::encodeName(folder).constData(), kNobody, kNobody) != 0))
        return false;
    config.close();
    QStringList command = QStringList{"env", "-i", "PATH=" + qEnvironmentVariable("PATH"), "XDG_RUNTIME_DIR=" + folder,
                                      "WLR_RENDERER=pixman"} + variables + QStringList{"sway", "-c", config.fileName()};
    if (geteuid() == 0)
        command = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"} + command;
    sway.setStandardOutputFile(QProcess::nullDevice());
    sway.setStandardErrorFile(folder + ".log");
    sway.start(command.takeFirst(), command);
    return sway.waitForStarted(10000)
        && QTest::qWaitFor([&] { return !socket(name, "wayland-?").isEmpty() && !socket(name, "sway-ipc.*.sock").isEmpty(); },
                           15000);
}

QString SwaySession::socket(const QString &name, const QString &pattern) const
{
    const QDir folder(base_.filePath(name));
    const QStringList found = folder.entryList({pattern}, QDir::System);
    return found.isEmpty() ? QString() : folder.filePath(found.first());
}

bool SwaySession::isRunning() const
{
    return inner_.state() == QProcess::Running && pointer_.state() == QProcess::Running;
}

QProcessEnvironment SwaySession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "wayland");
    env.insert("WAYLAND_DISPLAY", socket("inner", "wayland-?"));
    env.insert("SWAYSOCK", socket("inner", "sway-ipc.*.sock"));
    env.insert("XDG_RUNTIME_DIR", runtime_.path());
    return env;
}

bool SwaySession::unplug(const QString &output) const
{
    const int width = screenshot().width();
    return run("swaymsg", {"-s", socket("outer", "sway-ipc.*.sock"), QString("[title=\"%1$\"] kill").arg(output)})
        && QTest::qWaitFor([&] { return screenshot().width() < width; }, 10000);
}

bool SwaySession::keys(const QStringList &names) const
{
    QStringList arguments{"-s", "1500"};
    for (const QString &name : names)
        arguments << "-k" << name;
    return run("wtype", arguments).has_value();
}

bool SwaySession::moveTo(QPoint at) const
{
    // The device's positions are fractions of the box around all outputs, which screenshots show.
    const QSize layout = screenshot().size();
    pointerAt_ = at;
    return pointer(QString("move %1 %2 %3 %4").arg(at.x()).arg(at.y()).arg(layout.width()).arg(layout.height()));
}

bool SwaySession::pointer(const QString &command) const
{
    pointer_.write(command.toLatin1() + '\n');
    return pointer_.waitForReadyRead(5000) && pointer_.readLine().trimmed() == "ok";
}

QImage SwaySession::grim(const QStringList &options) const
{
    const auto png = run("grim", options + QStringList{"-"}, 20000);
    return png ? QImage::fromData(*png, "PNG").convertToFormat(QImage::Format_RGB32) : QImage();
}

std::optional<bool> SwaySession::pointerVisible() const
{
    const QImage plain = grim({}), drawn = grim({"-c"});
    if (plain.isNull() || drawn.isNull())
        return std::nullopt;
    const QRect around(pointerAt_ - QPoint(16, 16), QSize(64, 64));
    return plain.copy(around) != drawn.copy(around);
}
