#pragma once

#include "qwayland-wlr-layer-shell-unstable-v1.h"

#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QSize>

class QWindow;
struct wl_surface;

// One window's surface on the overlay layer of one output: anchored to all four
// edges (the output's whole area), exclusive zone -1 (panels do not push it
// aside), keyboard interactivity exclusive. It belongs to the window and goes,
// with its protocol object, when the window is hidden, since Qt's Wayland plugin
// then drops the window's wl_surface.
class LayerSurface : public QObject, public QtWayland::zwlr_layer_surface_v1 {
    Q_OBJECT
public:
    // Sets the surface up and commits it without content, which asks the
    // compositor for its first configure.
    LayerSurface(::zwlr_layer_surface_v1 *object, QWindow &window, QScreen &screen, ::wl_surface *surface);
    ~LayerSurface() override;

    // Null once the screen is gone.
    QScreen *Screen() const { return screen_; }

Q_SIGNALS:
    // The compositor gave the surface its size (acknowledged already): the window
    // may now show content of that size.
    void configured(QSize size);
    // The compositor took the surface away (its output went, or it chose to).
    void closed();

protected:
    void zwlr_layer_surface_v1_configure(uint32_t serial, uint32_t width, uint32_t height) override;
    void zwlr_layer_surface_v1_closed() override;

private:
    QPointer<QScreen> screen_;
};
