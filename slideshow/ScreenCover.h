#pragma once

#include <QPointer>
#include <QScreen>
#include <QWidget>

struct Services;

// A plain black window over a screen that the slideshow window does not cover,
// made like it: frameless, on top from its creation, full screen on its monitor.
// Its input is reported to the show, which treats it as input over Form1.
class ScreenCover : public QWidget {
    Q_OBJECT
public:
    // owner: the slideshow window. The cover is its transient child, so that a
    // modal show does not block the cover's input.
    ScreenCover(QScreen *screen, Services &services, QWidget *owner);

    // Null once the screen is gone.
    QScreen *Screen() const { return screen_; }

    // Shows the cover over the whole of its screen, as the screen is now.
    void Cover();

Q_SIGNALS:
    void keyDown();
    void mouseDown();
    // Where the pointer is in the layout of the screens: the position over the
    // cover moved by its screen's place.
    void mouseMoved(QPointF layoutPos);
    // The window system took the cover off its screen.
    void lost();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<QScreen> screen_;
    Services &services_;
};
