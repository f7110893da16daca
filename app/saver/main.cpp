#include "core/Module1.h"
#include "app/RealServices.h"
#include "app/SaverStartup.h"
#ifndef _WIN32
#include "app/EmbeddedShow.h"
#endif
#include "platform/AppInfo.h"
#include "platform/NativePlatform.h"
#include "platform/ProcessInfo.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The host's switch is read from the arguments as they were passed; Qt sees
    // only the program's name, so none of its own options (-reverse, -platform
    // ...) is taken from the command line or removed from it.
    const QString argumentText = ProcessInfo::argumentText(argc, argv);
#ifndef _WIN32
    if (const std::optional<int> status = EmbeddedShow::ChoosePlatform(argumentText))
        return *status;
#endif
    static char noName[] = "Vistello";
    char *qtArgv[] = {argc > 0 && argv[0] ? argv[0] : noName, nullptr};
    int qtArgc = 1;
    NativePlatform::PrepareApplication();
    QApplication app(qtArgc, qtArgv);
    RealServices::setUpApplication(app, QStringLiteral("vistello-settings"));
    RealServices real(ProcessInfo::programFolder());
    SingleInstance instance(AppInfo::saverProgramName());
    Module1 module;
    SaverStartup startup(module, real.services(), real.settingsFile(), instance, argumentText);
    return startup.run();
}
