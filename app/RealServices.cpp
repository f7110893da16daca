#include "app/RealServices.h"

#include "platform/DriveSource.h"
#include "platform/JapaneseFont.h"
#include "platform/NativePlatform.h"
#include "platform/Notifier.h"
#include "platform/PictureLoader.h"
#include "platform/RandomSource.h"
#include "resources/ProgramIcon.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QLoggingCategory>

struct RealServices::Parts {
    explicit Parts(const QString &programFolder)
        : settingsFile(programFolder)
    {
    }
    NativeCursorDisplay cursor;
    NativeWindowSystem windows;
    QtNotifier notifier;
    ClockRandom random;
    PictureLoader pictures;
    SystemDriveSource drives;
    SettingsFile settingsFile;
};

RealServices::RealServices(const QString &programFolder)
    : parts_(std::make_unique<Parts>(programFolder))
{
    services_.cursor = &parts_->cursor;
    services_.windows = &parts_->windows;
    services_.notifier = &parts_->notifier;
    services_.random = &parts_->random;
    services_.pictures = &parts_->pictures;
    services_.drives = &parts_->drives;
    services_.settingsFile = &parts_->settingsFile;
}

RealServices::~RealServices() = default;

void RealServices::setUpApplication(QApplication &app)
{
    JapaneseFont::install();
    app.setFont(JapaneseFont::font());
    app.setWindowIcon(ProgramIcon::icon());
    app.setQuitOnLastWindowClosed(false);
    // A damaged picture is skipped quietly; the decoders' complaints are no news.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
}
