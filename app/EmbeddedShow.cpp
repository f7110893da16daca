#include "app/EmbeddedShow.h"

#include "app/StartupSwitch.h"
#include "core/Module1.h"
#include "platform/AppInfo.h"
#include "platform/CursorDisplay.h"
#include "platform/x11/HostWindow.h"
#include "platform/Services.h"
#include "platform/SingleInstance.h"
#include "settings/SettingsFile.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <cstdio>

bool EmbeddedShow::Requested(const QString &argumentText)
{
    return qEnvironmentVariableIsSet(kVariable)
        && StartupSwitch::Classify(argumentText) == StartupSwitch::Action::RunShow;
}

namespace {
int namesNoWindow(const QByteArray &text)
{
    std::fprintf(stderr, "Vistello: %s=\"%s\" names no window to show in\n", EmbeddedShow::kVariable,
                 text.constData());
    return 0;
}
}

std::optional<int> EmbeddedShow::ChoosePlatform(const QString &argumentText)
{
    if (!Requested(argumentText))
        return std::nullopt;
    // Qt's xcb plugin aborts the program when it finds no X server.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return namesNoWindow(qgetenv(kVariable));
    qputenv("QT_QPA_PLATFORM", "xcb");
    return std::nullopt;
}

EmbeddedShow::EmbeddedShow(Module1 &module, Services &services, SettingsFile &settingsFile)
    : module_(module)
    , services_(services)
    , settingsFile_(settingsFile)
{
}

int EmbeddedShow::run()
{
    const QByteArray text = qgetenv(kVariable);
    const std::optional<quint32> id = HostWindow::ParseId(text);
    const std::unique_ptr<HostWindow> host = id ? HostWindow::Open(*id) : nullptr;
    if (!host)
        return namesNoWindow(text);
    // Window ids repeat across X servers: the lock names the server too.
    SingleInstance instance(AppInfo::saverProgramName() + QLatin1Char('-')
                            + HostWindow::CanonicalDisplay(qgetenv("DISPLAY")) + QStringLiteral("-0x")
                            + QString::number(*id, 16));
    const QDeadlineTimer deadline(kRestartWait);
    while (instance.otherInstanceRunning()) {
        if (deadline.hasExpired())
            return 0;
        QThread::msleep(50);
    }

    // The pointer is the host's: the window gets a display count of its own, so
    // the program's count does not move and the pointer is never blanked.
    CursorDisplay hostsPointer;
    Services services{hostsPointer, services_.windows, services_.notifier, services_.random, services_.pictures,
                      services_.drives};
    Form1 form(Edition::ScreenSaver, module_, services);
    // None of the full-screen window's flags, no blank pointer, no focus taken.
    form.setWindowFlags(Qt::Window);
    form.unsetCursor();
    form.Picture1->unsetCursor();
    form.setAttribute(Qt::WA_ShowWithoutActivating);
    if (!host->Embed(form))
        return namesNoWindow(text);
    QObject::connect(host.get(), &HostWindow::gone, &form, &Form1::Unload);
    qApp->installEventFilter(this);
    form.show();

    settingsFile_.LoadSettings(module_.settings);
    if (form.PrepareShow())
        form.RunUntilUnloaded();
    return 0;
}

bool EmbeddedShow::eventFilter(QObject *, QEvent *event)
{
    // The host takes the input and decides when the show ends.
    return event->isInputEvent();
}
