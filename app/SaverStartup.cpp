#include "app/SaverStartup.h"

#include "core/Module1.h"
#include "platform/Services.h"
#include "app/StartupSwitch.h"
#include "platform/CursorDisplay.h"
#include "platform/Notifier.h"
#include "platform/SingleInstance.h"
#include "platform/WindowSystem.h"
#include "settings/F_settei.h"
#include "settings/SettingsFile.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"

#include <QTimer>

#ifndef _WIN32
#include "app/EmbeddedShow.h"
#include "app/StopRequest.h"
#include "platform/ShieldWatch.h"
#endif

SaverStartup::SaverStartup(Module1 &module, Services &services, SettingsFile &settingsFile,
                           SingleInstance &instance, const QString &argumentText)
    : module_(module)
    , services_(services)
    , settingsFile_(settingsFile)
    , instance_(instance)
    , argumentText_(argumentText)
{
}

SaverStartup::~SaverStartup() = default;

int SaverStartup::run()
{
#ifndef _WIN32
    const StopRequest stop(services_.notifier);
    if (EmbeddedShow::Requested(argumentText_))
        return EmbeddedShow(module_, services_, settingsFile_).run();
#endif
    Form1 form(Edition::ScreenSaver, module_, services_);
    if (Form_Load(form))
        form.RunUntilUnloaded();
    return 0;
}

bool SaverStartup::Form_Load(Form1 &form)
{
    if (instance_.otherInstanceRunning())
        return false;
    services_.cursor.ShowCursor(false);

    switch (StartupSwitch::Classify(argumentText_)) {
    case StartupSwitch::Action::RunShow:
#ifndef _WIN32
        // The desktop's own lock screen or shield wins: no show behind it, and
        // none left for the user to find after the unlock.
        shield_ = std::make_unique<ShieldWatch>();
        if (shield_->Active()) {
            form.Unload();
            return false;
        }
        QObject::connect(shield_.get(), &ShieldWatch::raised, &form, &Form1::Unload);
#endif
        form.Show();
        break;
    case StartupSwitch::Action::Preview:
        return false;
    case StartupSwitch::Action::Configure: {
        form.Timer1->stop();
        F_settei dialog(Edition::ScreenSaver, module_, services_, settingsFile_);
        if (dialog.Form_Load())
            dialog.ShowModal();
        services_.cursor.ShowCursor(true);
        return false;
    }
    case StartupSwitch::Action::Password:
        services_.cursor.ShowCursor(true);
        services_.notifier.MsgBox(passwordMessage(), 0);
        services_.cursor.ShowCursor(false);
        return false;
    case StartupSwitch::Action::End:
        form.Unload();
        return false;
    }

    form.Picture1->DrawMode = 3;
    services_.windows.SetWindowPos(&form);
    // A file that cannot be read or created leaves the defaults in the record;
    // the show runs with them, since no message can be seen behind it.
    settingsFile_.LoadSettings(module_.settings);
    if (form.isUnloaded())
        return false;
    form.PrepareShow();
    return true;
}
