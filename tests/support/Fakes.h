#pragma once

#include "app/Services.h"
#include "platform/CursorDisplay.h"
#include "platform/Notifier.h"
#include "platform/PictureLoader.h"
#include "platform/RandomSource.h"
#include "platform/WindowSystem.h"

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
    void MsgBox(const QString &text, int style, QWidget * = nullptr) override
    {
        messages << text;
        styles << style;
    }
    void Beep() override { ++beeps; }

    QStringList messages;
    QList<int> styles;
    int beeps = 0;
};

// Gives the values it was handed, in order; then repeats the last. Counts reseeds.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<float> values = {}) : values_(std::move(values)) {}
    void push(float v) { values_.push_back(v); }
    void Randomize() override { ++reseeds; }
    float Rnd() override
    {
        ++draws;
        if (values_.empty())
            return last_;
        last_ = values_.front();
        values_.pop_front();
        return last_;
    }
    int reseeds = 0;
    int draws = 0;

private:
    std::deque<float> values_;
    float last_ = 0;
};

// Window-system calls that only count.
class CountingWindowSystem : public WindowSystem {
public:
    void SetWindowPos(QWidget *) override { ++topmostCalls; }
    void grabKeyboard(QWidget *) override { ++grabs; }
    void releaseKeyboard(QWidget *) override { ++releases; }
    int topmostCalls = 0;
    int grabs = 0;
    int releases = 0;
};

// A full set of fakes; settingsFile and drives are left for the test to fill.
struct FakeServices {
    CountingCursor cursor;
    CountingWindowSystem windows;
    RecordingNotifier notifier;
    ScriptedRandom random;
    PictureLoader pictures;
    Services services;

    FakeServices()
    {
        services.cursor = &cursor;
        services.windows = &windows;
        services.notifier = &notifier;
        services.random = &random;
        services.pictures = &pictures;
    }
};
