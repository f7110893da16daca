#pragma once

#include "platform/CursorDisplay.h"
#include "platform/DriveSource.h"
#include "platform/Notifier.h"
#include "platform/PictureLoader.h"
#include "platform/RandomSource.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "slideshow/ShowSurface.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <deque>

// A pointer count that does not touch the real cursor.
class CountingCursor : public CursorDisplay {
protected:
    void apply(bool) override {}
};

// Records message boxes and beeps instead of showing them.
class RecordingNotifier : public Notifier {
public:
    void MsgBox(const QString &text, int style, QWidget * = nullptr) override { messages << text, styles << style; }
    void Beep() override { ++beeps; }
    QStringList messages;
    QList<int> styles;
    int beeps = 0;
};

// Gives the values it was handed, in order, then repeats the last.
class ScriptedRandom : public RandomSource {
public:
    void Randomize() override {}
    float Rnd() override
    {
        if (!values.empty())
            last = values.front(), values.pop_front();
        return last;
    }
    std::deque<float> values;
    float last = 0;
};

// Window-system calls that do nothing: offscreen windows need neither.
class QuietWindowSystem : public WindowSystem {
public:
    void SetWindowPos(QWidget *) override {}
    void grabKeyboard(QWidget *) override {}
    void releaseKeyboard(QWidget *) override {}
};

// Serves pictures from memory by path; a path without one cannot be read. Files
// not in memory are read by the real loader when readFiles is set. Each picture
// tried is recorded once (its whole decode or its header).
class FakePictureLoader : public PictureLoader {
public:
    LoadedPicture Load(const QString &path) override
    {
        requested << path;
        return real(path) ? PictureLoader::Load(path) : LoadedPicture{pictures.value(path), error(path)};
    }
    PictureHeader ReadHeader(const QString &path) override
    {
        requested << path;
        return real(path) ? PictureLoader::ReadHeader(path) : PictureHeader{pictures.value(path).size(), error(path)};
    }
    LoadedPicture LoadRegion(const QString &path, const QRect &region) override
    {
        return real(path) ? PictureLoader::LoadRegion(path, region) : LoadedPicture{pictures.value(path).copy(region), {}};
    }
    bool real(const QString &path) const { return readFiles && !pictures.contains(path); }
    QString error(const QString &path) const { return pictures.contains(path) ? QString() : QStringLiteral("cannot read"); }
    void add(const QString &path, int width, int height, QColor color = Qt::red)
    {
        pictures.insert(path, QImage(width, height, QImage::Format_RGB32)), pictures[path].fill(color);
    }
    QHash<QString, QImage> pictures;
    QStringList requested;
    bool readFiles = false;
};

// Drives that are folders of the test's choosing; those in notReady cannot be listed.
class FakeDriveSource : public DriveSource {
public:
    QList<Drive> Drives() override { return drives; }
    bool IsReady(const QString &root) override { return !notReady.contains(root); }
    QString CurrentFolder() override { return current; }
    QList<Drive> drives;
    QSet<QString> notReady;
    QString current;
};

// One full set of fakes and the record that hands them out.
struct FakeServices {
    CountingCursor cursor;
    QuietWindowSystem windows;
    RecordingNotifier notifier;
    ScriptedRandom random;
    FakePictureLoader pictures;
    FakeDriveSource drives;
    Services services{cursor, windows, notifier, random, pictures, drives};
};

// A window of a given size in twips whose picture box behaves like Picture1: it
// takes on a picture's natural size (pixels / ratio * 15) and keeps its size
// when emptied.
class FakeShowSurface : public ShowSurface {
public:
    FakeShowSurface(float formWidth = 15360, float formHeight = 11520) : formWidth(formWidth), formHeight(formHeight) {}

    float FormWidth() const override { return formWidth; }
    float FormHeight() const override { return formHeight; }
    float PictureLeft() const override { return left; }
    float PictureTop() const override { return top; }
    void SetPictureLeft(float twips) override { left = twips; }
    void SetPictureTop(float twips) override { top = twips; }
    float PictureWidth() const override { return width; }
    float PictureHeight() const override { return height; }
    void SetPicture(const QImage &image) override
    {
        picture = image;
        if (image.isNull())
            return;
        width = static_cast<float>(image.width() / image.devicePixelRatio() * 15);
        height = static_cast<float>(image.height() / image.devicePixelRatio() * 15);
    }
    void SetPicturePart(QImage part, QPoint, QSize whole) override
    {
        picture = std::move(part);
        width = static_cast<float>(whole.width() / ratio * 15), height = static_cast<float>(whole.height() / ratio * 15);
    }
    void SetPictureBackColor(const QColor &color) override { backColor = color; }
    qreal DevicePixelRatio() const override { return ratio; }
    void SetTimerInterval(int ms) override { interval = ms; }
    int TimerInterval() const override { return interval; }
    void SetTimerEnabled(bool) override {}
    bool ProcessPendingEvents() override { return true; }

    float formWidth, formHeight;
    float left = 480, top = 0, width = 570, height = 210;
    QImage picture;
    QColor backColor{0, 0, 128};
    qreal ratio = 1;
    int interval = 1000;
};
