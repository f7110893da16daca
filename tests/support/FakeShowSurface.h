#pragma once

#include "slideshow/ShowSurface.h"

#include <QStringList>
#include <functional>

// A window of a given size in twips with a picture box that behaves like
// Picture1: it takes on a picture's natural size (pixels / ratio * 15) and keeps
// its size when emptied. Reads and writes can be written to a shared log.
class FakeShowSurface : public ShowSurface {
public:
    FakeShowSurface(float formWidth = 15360, float formHeight = 11520)
        : formWidth_(formWidth), formHeight_(formHeight) {}

    float FormWidth() const override { note("W"); return formWidth_; }
    float FormHeight() const override { note("H"); return formHeight_; }
    float PictureLeft() const override { return left; }
    float PictureTop() const override { return top; }
    void SetPictureLeft(float twips) override { left = twips; note(QStringLiteral("Left=%1").arg(twips)); }
    void SetPictureTop(float twips) override { top = twips; note(QStringLiteral("Top=%1").arg(twips)); }
    float PictureWidth() const override { note("w"); return width; }
    float PictureHeight() const override { note("h"); return height; }
    void SetPicture(const QImage &picture) override
    {
        this->picture = picture;
        if (picture.isNull())
            return;
        ++picturesShown;
        width = static_cast<float>(picture.width() / picture.devicePixelRatio() * 15);
        height = static_cast<float>(picture.height() / picture.devicePixelRatio() * 15);
    }
    void SetPictureBackColor(const QColor &color) override { backColor = color; }
    qreal DevicePixelRatio() const override { return ratio; }
    void SetTimerInterval(int ms) override { interval = ms; }
    int TimerInterval() const override { return interval; }
    void SetTimerEnabled(bool on) override { timerEnabled = on; }
    bool ProcessPendingEvents() override { return onEvents ? onEvents() : true; }

    // Sets a picture box size directly, as if a picture of that size were loaded.
    void setPictureSize(float w, float h) { width = w; height = h; }

    float left = 480;
    float top = 0;
    float width = 570;
    float height = 210;
    QImage picture;
    int picturesShown = 0;
    QColor backColor{0, 0, 128};
    qreal ratio = 1;
    int interval = 1000;
    bool timerEnabled = false;
    std::function<bool()> onEvents;
    QStringList *log = nullptr;

private:
    void note(const QString &what) const
    {
        if (log)
            log->append(what);
    }

    float formWidth_;
    float formHeight_;
};
