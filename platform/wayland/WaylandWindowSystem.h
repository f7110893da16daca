#pragma once

#include "platform/WindowSystem.h"

#include <memory>

class LayerShell;

// The window-system calls in a Wayland session. Where the compositor has the
// layer shell, a full-screen window is a surface on the overlay layer of its
// screen's output: above panels and other full-screen windows, taking the
// keyboard (a Wayland client can neither place its windows nor grab the keyboard).
// Elsewhere (GNOME's mutter, weston), or when the environment variable
// VISTELLO_WAYLAND_SHELL is "xdg", it is an ordinary full-screen window on that
// screen's output, which the compositor may put under its own panels and pop-ups.
class WaylandWindowSystem : public WindowSystem {
public:
    static constexpr char kShellVariable[] = "VISTELLO_WAYLAND_SHELL";

    // Sets what Qt's Wayland plugin must read before the application object exists.
    static void PrepareApplication();

    WaylandWindowSystem();
    ~WaylandWindowSystem() override;

    void ShowFullScreen(QWidget *window, QScreen *screen, std::function<void()> lost = {}) override;

private:
    std::unique_ptr<LayerShell> shell_;
};
