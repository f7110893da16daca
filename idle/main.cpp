#include "idle/IdleArguments.h"
#include "idle/IdleHost.h"
#include "idle/IdleSource.h"
#include "idle/IdleSourceChoice.h"
#include "idle/ScreenSaverService.h"
#include "idle/ShowProcess.h"
#include "platform/ProcessInfo.h"
#include "platform/StopSignals.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>

namespace {
int fail(int status, const QString &text)
{
    std::fprintf(stderr, "vistello-idle: %s\n", qPrintable(text));
    return status;
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const IdleArguments arguments = IdleArguments::parse(app.arguments().mid(1));
    if (arguments.kind == IdleArguments::Kind::Help) {
        std::printf("%s\nStarts \"Vistello /s\" when the session has been idle that long.\n",
                    qPrintable(IdleArguments::usageLine()));
        return 0;
    }
    if (arguments.kind == IdleArguments::Kind::Bad)
        return fail(2, arguments.reason + "\n" + IdleArguments::usageLine());
    const QString program = ShowProcess::findProgram(ProcessInfo::programFolder());
    if (program.isEmpty())
        return fail(1, "Vistello is neither beside vistello-idle nor on the PATH");

    StopSignals stop;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const std::unique_ptr<IdleSource> source =
        IdleSourceChoice::create(IdleSourceChoice::source(IdleSourceChoice::current(bus)), bus);
    if (!source)
        return fail(1, "no display to watch (neither WAYLAND_DISPLAY nor DISPLAY is set)");
    if (const QString error = source->start(arguments.seconds); !error.isEmpty())
        return fail(1, error);
    ShowProcess show;
    show.setProgram(program);
    ScreenSaverService service(bus);
    IdleHost host(*source, service, show, arguments.seconds);
    QObject::connect(&stop, &StopSignals::stopRequested, &app, &QCoreApplication::quit);
    QObject::connect(source.get(), &IdleSource::sessionEnded, &app, &QCoreApplication::quit);
    service.start();
    app.exec();
    show.end();
    source->stop();
    return 0;
}
