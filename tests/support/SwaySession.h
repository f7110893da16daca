#pragma once

#include "support/DisplaySession.h"

// A Wayland session: sway with two white outputs of 1280 x 720 side by side and its bar, driven with
// wtype and tests/tools/virtual_pointer, screenshots by grim. Sway refuses root: under root
// it runs as nobody. Its outputs are windows of a second, headless sway, since Debian 12's
// headless outputs cannot be disabled, while closing such a window unplugs its output.
class SwaySession : public DisplaySession {
public:
    SwaySession();
    ~SwaySession() override;

    bool isRunning() const override;
    // The wayland plugin, the compositor's and sway's IPC sockets, the runtime folder.
    QProcessEnvironment environment() const override;

    // wtype waits before it types: a key sent at once is lost in the keyboard's enter.
    bool keys(const QStringList &names) const override;
    bool moveTo(QPoint at) const override;
    bool click() const override { return pointer("click"); }

    QImage screenshot() const override { return grim({}); }
    // Whether screenshots with and without the pointer differ around it.
    std::optional<bool> pointerVisible() const override;

    // Outputs are laid out from the left in the order they came: when one goes, those right
    // of it move left, and the screenshots narrow.
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
