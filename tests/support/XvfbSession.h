#pragma once

#include "support/DisplaySession.h"

// An X server of the test's own (Xvfb, white root window), driven with xdotool.
class XvfbSession : public DisplaySession {
public:
    explicit XvfbSession(QSize screen = QSize(800, 600));
    ~XvfbSession() override;

    bool isRunning() const override { return !display_.isEmpty() && server_.state() == QProcess::Running; }
    // xcb, DISPLAY, runtime folder.
    QProcessEnvironment environment() const override;
    // Starts openbox and waits until it manages the screen.
    bool startWindowManager();

    bool xdotool(const QStringList &arguments) const { return run("xdotool", arguments).has_value(); }
    bool keys(const QStringList &names) const override { return xdotool(QStringList{"key"} + names); }
    bool moveTo(QPoint at) const override { return xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}); }
    bool click() const override { return xdotool({"click", "1"}); }

    QImage screenshot() const override;
    // Asked of the cursor image (tests/tools/cursor_probe), since X screenshots never hold the pointer.
    std::optional<bool> pointerVisible() const override;

private:
    QString display_;
    QProcess server_;
    QProcess windowManager_;
};
