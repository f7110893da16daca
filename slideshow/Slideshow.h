#pragma once

#include "slideshow/SlideshowEngine.h"

class PictureLoader;
class RandomSource;
class ShowSurface;
struct SaverSettings;
struct SlideshowState;

// The show's logic on a window it only knows as a ShowSurface: preparation
// (picture list, tick period), first picture, and the tick.
class Slideshow {
public:
    Slideshow(const SaverSettings &settings, SlideshowState &state, RandomSource &random,
              PictureLoader &pictures, ShowSurface &surface);

    // Collects and sorts the picture list, sets the tick period, shows and places
    // the first picture and starts the timer. Returns false when the window was
    // unloaded while the preparation let input through; nothing more is done then.
    // An empty list turns the picture box black and leaves the timer off.
    bool Prepare();

    // One timer tick.
    void Tick();

    SlideshowEngine &engine() { return engine_; }

private:
    const SaverSettings &settings_;
    SlideshowState &state_;
    ShowSurface &surface_;
    SlideshowEngine engine_;
};
