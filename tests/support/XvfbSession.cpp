#include "support/XvfbSession.h"

#include <QTest>

XvfbSession::XvfbSession(QSize screen)
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
    // Whatever has not ended by then, QProcess kills.
    for (QProcess *process : {&windowManager_, &server_})
        process->terminate(), process->waitForFinished(5000);
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
