#include "app/RealServices.h"

#include "platform/CursorDisplay.h"
#include "platform/DriveSource.h"
#include "platform/JapaneseFont.h"
#include "platform/NativePlatform.h"
#include "platform/Notifier.h"
#include "platform/PictureLoader.h"
#include "platform/RandomSource.h"
#include "platform/WindowSystem.h"
#include "resources/ProgramIcon.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QLoggingCategory>

struct RealServices::Parts {
    explicit Parts(const QString &programFolder)
        : settingsFile(programFolder)
    {
    }
    std::unique_ptr<CursorDisplay> cursor = NativePlatform::Cursor();
    std::unique_ptr<WindowSystem> windows = NativePlatform::Windows();
    QtNotifier notifier;
    ClockRandom random;
    PictureLoader pictures;
    SystemDriveSource drives;
    SettingsFile settingsFile;
};

RealServices::RealServices(const QString &programFolder)
    : parts_(std::make_unique<Parts>(programFolder))
    , services_{*parts_->cursor, *parts_->windows, parts_->notifier, parts_->random, parts_->pictures, parts_->drives}
{
}

SettingsFile &RealServices::settingsFile() { return parts_->settingsFile; }

RealServices::~RealServices() = default;

void RealServices::setUpApplication(QApplication &app, const QString &desktopEntry)
{
    QGuiApplication::setDesktopFileName(desktopEntry);
    JapaneseFont::install();
    app.setFont(JapaneseFont::font());
    app.setWindowIcon(ProgramIcon::icon());
    app.setQuitOnLastWindowClosed(false);
    // A damaged picture is skipped quietly; the decoders' complaints are no news.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
}
