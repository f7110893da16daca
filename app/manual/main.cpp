#include "app/ManualStartup.h"
#include "core/Module1.h"
#include "app/RealServices.h"
#include "platform/AppInfo.h"
#include "platform/NativePlatform.h"
#include "platform/ProcessInfo.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    NativePlatform::PrepareApplication();
    QApplication app(argc, argv);
    RealServices::setUpApplication(app, QStringLiteral("vistello"));
    RealServices real(ProcessInfo::programFolder());
    SingleInstance instance(AppInfo::manualProgramName());
    Module1 module;
    ManualStartup startup(module, real.services(), real.settingsFile(), instance);
    return startup.run();
}
