#pragma once

#include "support/DisplaySession.h"

#include <QHash>
#include <QRect>

// A Wayland session of the test's own: sway with two outputs of 1280 x 720 side by
// side, white, driven with wtype and a pointer device of the tests
// (tests/tools/virtual_pointer), screenshots with grim. Sway refuses to run as
// root; under root it runs as nobody, with runtime folders of mode 0700.
// Its outputs are the windows of a second, headless sway: Debian 12's headless
// outputs cannot be disabled (wlroots 0.15 refuses), while closing such a window
// takes its output away as unplugging a monitor does.
class SwaySession : public DisplaySession {
public:
    SwaySession();
    ~SwaySession() override;

    bool isRunning() const override;
    // The wayland plugin, the compositor's socket and sway's IPC socket, the runtime folder.
    QProcessEnvironment environment() const override;

    // wtype waits before it types: a key sent at once is lost in the keyboard's enter.
    bool key(const QString &name) const override { return run("wtype", {"-s", "1500", "-k", name}).has_value(); }
    bool moveTo(QPoint at) const override;
    bool click() const override { return pointer("click"); }

    QImage screenshot() const override { return grim({}); }
    // Whether a screenshot with the pointer differs from one without, around the pointer.
    std::optional<bool> pointerVisible() const override;

    bool swaymsg(const QStringList &command) const { return run("swaymsg", command).has_value(); }
    // The active outputs by name, where they are in a screenshot (and for moveTo).
    QHash<QString, QRect> outputs() const;
    // Takes an output away as unplugging its monitor does.
    bool unplug(const QString &output) const;

private:
    bool startSway(QProcess &sway, const QString &name, const QStringList &variables);
    QString socket(const QString &name, const QString &pattern) const;
    bool pointer(const QString &command) const;
    QImage grim(const QStringList &options) const;

    QTemporaryDir base_;
    QProcess outer_, inner_;
    mutable QProcess pointer_;
    mutable QPoint pointerAt_;
};
