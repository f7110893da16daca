#pragma once

#include "core/Edition.h"
#include "slideshow/ShowSurface.h"
#include "slideshow/SlideshowEngine.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class PictureBox;
class QScreen;
class QTimer;
class ScreenCover;
struct Module1;
struct Services;

// The slideshow window: borderless, black, topmost, covering the primary screen,
// with the picture box Picture1 and the timer Timer1. While it shows, every other
// monitor has a ScreenCover whose input counts as input over this window, and the
// window follows the primary screen when that changes or goes. It
// holds the window state and the input handlers; the show itself is
// SlideshowEngine, driving the window through ShowSurface.
class Form1 : public QWidget, public ShowSurface {
    Q_OBJECT
public:
    Form1(Edition edition, Module1 &module, Services &services, QWidget *parent = nullptr);
    ~Form1() override;

    PictureBox *Picture1 = nullptr;
    QTimer *Timer1 = nullptr;

    // Makes the window visible over the whole primary screen, covers the other
    // monitors and takes the keyboard.
    void Show();

    // Where and how large Picture1 is before the first picture, in twips.
    static constexpr float kDesignLeft = 480;
    static constexpr float kDesignTop = 0;
    static constexpr float kDesignWidth = 570;
    static constexpr float kDesignHeight = 210;

    // Prepares the show and puts the first picture up (see SlideshowEngine::Prepare).
    bool PrepareShow();

    // Unloads the window: runs Form_Unload exactly once, stops the timer, lets the
    // keyboard go and hides the window (it is not deleted). Later calls do nothing.
    void Unload();
    bool isUnloaded() const { return unloaded_; }
    // Runs a local event loop until the window is unloaded (at once if it is).
    void RunUntilUnloaded();

    // ShowSurface.
    float FormWidth() const override;
    float FormHeight() const override;
    float PictureLeft() const override;
    float PictureTop() const override;
    void SetPictureLeft(float twips) override;
    void SetPictureTop(float twips) override;
    float PictureWidth() const override;
    float PictureHeight() const override;
    void SetPicture(const QImage &picture) override;
    void SetPicturePart(QImage part, QPoint offset, QSize whole) override;
    void SetPictureBackColor(const QColor &color) override;
    qreal DevicePixelRatio() const override;
    void SetTimerInterval(int milliseconds) override;
    int TimerInterval() const override;
    void SetTimerEnabled(bool enabled) override;
    bool ProcessPendingEvents() override;

    // Input handlers, in twips relative to the window.
    void Form_KeyDown();
    void Form_MouseDown();
    void Form_MouseMove(float x, float y);
    void Picture1_KeyDown();
    void Picture1_MouseDown();
    void Timer1_Timer();

    // Screen width in twips, for the manual edition's movement rule.
    float ScreenWidth() const;

Q_SIGNALS:
    void unloaded();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Unload();
    void WatchScreen(QScreen *screen);
    // The screen the show belongs on: the primary one, or the first other one when
    // the window system took the show off it; null when no screen is left.
    QScreen *ShowScreen() const;
    // Puts the window on the screen it belongs on (moving it there, with that
    // screen's size, when the primary screen changed or went) and the covers on
    // the others. With no screen left to show on, the show ends.
    void ArrangeScreens();
    // The window system took the show's window or a cover off the screen: the
    // screen counts as gone for the rest of the show.
    void ScreenLost(QScreen *screen);
    // Gives each monitor the show does not reach a cover, and takes covers away
    // from monitors that went or now show part of the show.
    void UpdateCovers();
    void AddCover(QScreen *screen);

    Edition edition_;
    Module1 &module_;
    Services &services_;
    SlideshowEngine engine_;
    bool unloaded_ = false;
    // Only the full-screen show covers the other monitors (not one shown inside a host's window).
    bool fullScreen_ = false;
    std::vector<ScreenCover *> covers_;
    // The screen the window shows on, and those taken from the show.
    QPointer<QScreen> screen_;
    QList<QPointer<QScreen>> lostScreens_;
};
