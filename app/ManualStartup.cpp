#include "app/ManualStartup.h"

#include "core/Module1.h"
#include "platform/Services.h"
#include "platform/CursorDisplay.h"
#include "platform/SingleInstance.h"
#include "platform/WindowSystem.h"
#include "settings/F_settei.h"
#include "slideshow/Form1.h"
#include "slideshow/PictureBox.h"

#ifndef _WIN32
#include "app/StopRequest.h"
#include "platform/ShieldWatch.h"
#endif

ManualStartup::ManualStartup(Module1 &module, Services &services, SettingsFile &settingsFile,
                             SingleInstance &instance)
    : module_(module)
    , services_(services)
    , settingsFile_(settingsFile)
    , instance_(instance)
{
}

ManualStartup::~ManualStartup() = default;

int ManualStartup::run()
{
#ifndef _WIN32
    // SIGTERM and SIGINT close the show and the dialog: the program ends with status 0.
    const StopRequest stop(services_.notifier);
#endif
    F_settei dialog(Edition::Manual, module_, services_, settingsFile_);
    dialog.setOtherInstanceRunning([this] { return instance_.otherInstanceRunning(); });
    dialog.setRunShow([this, &dialog] { RunShow(dialog); });
    if (!dialog.Form_Load())
        return 0;
    dialog.ShowModal();
    return 0;
}

void ManualStartup::RunShow(F_settei &dialog)
{
    // The dialog takes no input until the show window is gone, so nothing can
    // press "表示" again or close the dialog under a half-prepared show.
    dialog.setEnabled(false);
    {
        Form1 form(Edition::Manual, module_, services_);
        // Modal over the (itself modal) dialog, so that the show is the window
        // that gets the input.
        form.setWindowModality(Qt::ApplicationModal);
#ifndef _WIN32
        // The desktop's lock screen ends a show; the dialog stays. The buses are
        // asked once a show is wanted, not before the dialog opens.
        if (!shield_)
            shield_ = std::make_unique<ShieldWatch>();
        QObject::connect(shield_.get(), &ShieldWatch::raised, &form, &Form1::Unload);
#endif
        Form_Load(form);
        form.Show();
        form.RunUntilUnloaded();
    }
    dialog.setEnabled(true);
    dialog.raise();
    dialog.activateWindow();
}

void ManualStartup::Form_Load(Form1 &form)
{
    services_.cursor.ShowCursor(false);
    form.Picture1->DrawMode = 3;
    services_.windows.SetWindowPos(&form);
    form.PrepareShow();
}
