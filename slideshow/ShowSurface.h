#pragma once

#include <QColor>
#include <QImage>

// What the show's logic sees of the slideshow window and its controls: the window
// extent, the picture box (position and size in single-precision twips) and the
// timer. Form1 is the real one; tests drive the logic through a fake.
class ShowSurface {
public:
    virtual ~ShowSurface() = default;

    // Window extent in twips (Width and Height of Form1).
    virtual float FormWidth() const = 0;
    virtual float FormHeight() const = 0;

    // Picture1.
    virtual float PictureLeft() const = 0;
    virtual float PictureTop() const = 0;
    virtual void SetPictureLeft(float twips) = 0;
    virtual void SetPictureTop(float twips) = 0;
    virtual float PictureWidth() const = 0;   // natural size of the loaded picture, in twips
    virtual float PictureHeight() const = 0;
    // Replaces the picture; the box takes on its natural size and keeps Left and Top.
    virtual void SetPicture(const QImage &picture) = 0;
    // Replaces the picture by the part of one of `whole` image pixels whose top-left
    // pixel is `offset` in it; the box takes on the whole picture's natural size. A
    // null part gives the box that size with nothing in it yet.
    virtual void SetPicturePart(QImage part, QPoint offset, QSize whole) = 0;
    virtual void SetPictureBackColor(const QColor &color) = 0;
    // Device pixels per logical pixel of the screen the show covers.
    virtual qreal DevicePixelRatio() const = 0;

    // Timer1.
    virtual void SetTimerInterval(int milliseconds) = 0;
    virtual int TimerInterval() const = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;

    // Lets pending events (repaints, input) run; true while the window is still loaded.
    virtual bool ProcessPendingEvents() = 0;
};
