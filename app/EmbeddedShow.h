#pragma once

#include <QObject>
#include <QString>
#include <optional>

class SettingsFile;
struct Module1;
struct Services;

// The show inside the window of a desktop's screen saver, which names it in
// XSCREENSAVER_WINDOW: Form1 becomes a child of that window and fills it; input,
// pointer and locking stay with the host, and the show ends when the host
// destroys its window or sends SIGTERM. One show per host window. X11 only.
class EmbeddedShow : public QObject {
    Q_OBJECT
public:
    static constexpr char kVariable[] = "XSCREENSAVER_WINDOW";
    // A host restarting its saver in the same window may start the new one while
    // the old one is still ending: the new one waits this long for the window.
    static constexpr int kRestartWait = 2000;

    // Whether the start is a show ("/s") with the variable set, even to no window.
    static bool Requested(const QString &argumentText);

    // Before the application object: the variable names an X11 window, so a
    // requested show runs on Qt's xcb platform also in a Wayland session (the
    // host then runs on XWayland). Without an X display there is no such window:
    // the exit status, after the message, for the program to end with at once.
    static std::optional<int> ChoosePlatform(const QString &argumentText);

    EmbeddedShow(Module1 &module, Services &services, SettingsFile &settingsFile);

    // Runs the show until the host ends it. Returns the exit status, always 0:
    // a variable that names no usable window ends the program at once, with a
    // message on standard error.
    int run();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Module1 &module_;
    Services &services_;
    SettingsFile &settingsFile_;
};
