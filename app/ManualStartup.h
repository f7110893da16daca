#pragma once

#include <memory>

class F_settei;
class Form1;
class SettingsFile;
class ShieldWatch;
class SingleInstance;
struct Module1;
struct Services;

// The manual edition: the settings dialog is the start-up window; its first
// button stores the settings and runs the show over it, any number of times.
class ManualStartup {
public:
    ManualStartup(Module1 &module, Services &services, SettingsFile &settingsFile, SingleInstance &instance);
    ~ManualStartup();

    // Opens the dialog and runs until it is closed. Returns the exit status.
    int run();

    // Runs one show modally over the dialog: a fresh Form1, its load handler,
    // then a local event loop until the window is unloaded.
    void RunShow(F_settei &dialog);

    // The slideshow window's load handler in this edition.
    void Form_Load(Form1 &form);

private:
    Module1 &module_;
    Services &services_;
    SettingsFile &settingsFile_;
    SingleInstance &instance_;
    std::unique_ptr<ShieldWatch> shield_;
};
