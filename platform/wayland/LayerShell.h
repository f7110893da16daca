#pragma once

#include "qwayland-wlr-layer-shell-unstable-v1.h"

#include <QtWaylandClient/QWaylandClientExtensionTemplate>

class LayerSurface;
class QScreen;
class QWindow;

// The compositor's layer shell (zwlr_layer_shell_v1: wlroots compositors such as
// sway, labwc and river, KWin, Hyprland, niri), which puts a surface on a layer of
// one output, the overlay layer standing above every window and panel.
//
// Qt 6.4 has no integration for it, so this class reaches into what Qt's Wayland
// plugin keeps to itself, and is the only one that does: a window whose flags hold
// Qt::BypassWindowManagerHint gets no xdg role of Qt's when
// QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT is set, and the wl_surface behind a
// QWindow and the wl_output behind a QScreen come from the platform's native
// interface. Once the program builds on Qt 6.5 or later, KDE's layer-shell-qt
// replaces this class and LayerSurface: LayerShellQt::Window::get(window) with
// setLayer(LayerOverlay), setAnchors(all four), setExclusiveZone(-1),
// setKeyboardInteractivity(exclusive) and setScreenConfiguration on the screen,
// before the window is shown.
class LayerShell : public QWaylandClientExtensionTemplate<LayerShell>, public QtWayland::zwlr_layer_shell_v1 {
public:
    // What Qt's Wayland plugin reads before the application object exists; set
    // whatever plugin Qt then picks, since the environment is read only once.
    static void PrepareApplication();

    // The flag a window needs before its native window is made, to carry a layer surface.
    static constexpr Qt::WindowType kWindowFlag = Qt::BypassWindowManagerHint;

    // Binds the compositor's global at once, when it offers one (isActive()).
    LayerShell();

    // The wl_surface of a created window; null when it has none (never created, or
    // hidden: Qt's Wayland plugin drops a hidden window's surface).
    static bool HasSurface(QWindow &window);

    // Gives the window's wl_surface, which has had no content yet, a surface on the
    // overlay layer of the screen's output, over the whole output, taking the
    // keyboard. Null when the window has no surface or the screen no output. The
    // layer surface belongs to the window and goes when it is hidden.
    LayerSurface *Cover(QWindow &window, QScreen &screen);
};
