#pragma once

#include <QString>
#include <memory>

class Form1;
class SettingsFile;
class ShieldWatch;
class SingleInstance;
struct Module1;
struct Services;

// The screen-saver edition: the slideshow window is the start-up window, and its
// load handler dispatches on the host's switch.
class SaverStartup {
public:
    SaverStartup(Module1 &module, Services &services, SettingsFile &settingsFile, SingleInstance &instance,
                 const QString &argumentText);
    ~SaverStartup();

    // Creates Form1, runs its load handler and, when the show runs, the event loop
    // until the window is unloaded. Returns the exit status.
    int run();

    // The load handler. Returns true when the show is running and the program
    // should go on; false when the program ends now.
    bool Form_Load(Form1 &form);

    static QString passwordMessage() { return QStringLiteral("パスワードには対応していません。"); }

private:
    Module1 &module_;
    Services &services_;
    SettingsFile &settingsFile_;
    SingleInstance &instance_;
    QString argumentText_;
    std::unique_ptr<ShieldWatch> shield_;
};
