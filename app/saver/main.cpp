#include "core/Module1.h"
#include "app/RealServices.h"
#include "app/SaverStartup.h"
#include "platform/AppInfo.h"
#include "platform/ProcessInfo.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RealServices::setUpApplication(app);
    RealServices real(ProcessInfo::programFolder());
    SingleInstance instance(AppInfo::saverProgramName());
    Module1 module;
    SaverStartup startup(module, real.services(), real.settingsFile(), instance, ProcessInfo::argumentText(app.arguments()));
    return startup.run();
}
