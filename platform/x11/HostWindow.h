#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <memory>
#include <optional>

class QWidget;
class QWindow;

// A window that a desktop's screen saver (XScreenSaver, MATE's, Xfce's) names in
// XSCREENSAVER_WINDOW for its saver to draw in. The widget embedded in it is a
// native child window that fills it, in device pixels whatever Qt's scale
// factor, and follows its size; the host keeps the input, the pointer and the
// locking. X11 only.
class HostWindow : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // The window id in the variable's text: "0x" and hexadecimal digits, or
    // decimal digits. Anything else names no window.
    static std::optional<quint32> ParseId(const QByteArray &text);

    // A display name as in DISPLAY reduced to the server it reaches: the host
    // (none for the local one, also written "unix") and the display number,
    // without the screen. ":0", ":0.0" and "unix:0" give ":0". Only characters
    // that may stand in a file name are kept.
    static QString CanonicalDisplay(const QByteArray &display);

    // The host window with that id, watched from now on; null when the X server
    // has no such window, it cannot be drawn in (an input-only window), or the
    // program does not run on X11.
    static std::unique_ptr<HostWindow> Open(quint32 id);
    ~HostWindow() override;

    // Makes the widget, not yet shown, a child window of the host at its top
    // left corner and of its size. False when the widget's window did not become
    // the host's child (another screen, or the host went meanwhile): it must not
    // be shown then. The widget must be destroyed before this object.
    bool Embed(QWidget &widget);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    // The host destroyed its window, and the embedded child with it.
    void gone();

private:
    HostWindow(quint32 id, quint32 root, QSize size);
    // Gives the child the host's size in device pixels.
    void fit();

    quint32 id_;
    quint32 root_;
    QSize size_;
    QPointer<QWidget> widget_;
    std::unique_ptr<QWindow> foreign_;
};
