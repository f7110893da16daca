#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class PictureLoader;
class RandomSource;
class ShowSurface;
struct SaverSettings;
struct SlideshowState;

// The picture choice, the three placements and the moving picture's step. It
// reads the settings afresh each time and keeps its state in SlideshowState;
// positions live only in the surface's picture box (single-precision twips),
// steps and headings are computed in double precision.
class SlideshowEngine {
public:
    // The value of pi the heading arithmetic uses, on purpose not full precision.
    static constexpr double kPi = 3.141592;
    // While nothing can be shown, the timer ticks at most this often, so a folder
    // of unreadable files costs one attempt per second instead of a busy loop.
    static constexpr int kRetryPeriod = 1000;
    // A moving picture goes this many twips per tick for each unit of speed.
    static constexpr double kStepPerSpeed = 10;
    // A moving picture's heading, in whole degrees: the base of the edge it
    // enters from plus a draw over kHeadingSpread degrees (so base to base + 90).
    static constexpr float kHeadingFromLeft = -45;
    static constexpr float kHeadingFromBottom = 45;
    static constexpr float kHeadingFromRight = 135;
    static constexpr float kHeadingFromTop = 225;
    static constexpr float kHeadingSpread = 91;

    SlideshowEngine(const SaverSettings &settings, SlideshowState &state, RandomSource &random,
                    PictureLoader &pictures, ShowSurface &surface);

    // Collects and sorts the picture list, sets the tick period, shows and places
    // the first picture and starts the timer. Returns false when the window was
    // unloaded while the preparation let input through; nothing more is done then.
    // An empty list turns the picture box black and leaves the timer off.
    bool Prepare();

    // One timer tick: centred and random place switch and place the next
    // picture; moving steps it and, once it has left, switches and enters from
    // an edge; any other mode does nothing.
    void Tick();

    // The first picture (CurrentIndex must be 1): choose, load and place it by
    // the display mode (see PickPicture), without advancing CurrentIndex first.
    void ShowFirstPicture();

    // Advances CurrentIndex, wrapping after ImageCount to 1 (in both orders).
    void Advance();

    // Chooses a picture by PictureOrder, loads it into the picture box and places
    // it by the display mode. Centred and random place decode only the part of the
    // picture inside the window, after placing it on the size its header gives;
    // other modes decode it whole. A file that cannot be read, header or pixels,
    // is skipped within the same call: in file-name order CurrentIndex moves on
    // until an entry loads, each entry tried at most once; in random order fresh
    // draws are made, at most ImageCount. When nothing loads the box is emptied
    // and turned black. Returns whether a picture loaded.
    bool PickPicture();

    void PlaceCentred();
    void PlaceAtRandom();
    void EnterFromRandomEdge();
    void MoveStep();
    // After the window changed its size: a picture of which only a part is held
    // gets the part that has become visible, decoded at once; its placement stays
    // (a picture is placed only when it is switched). Nothing changes when the
    // part held already covers what shows or the new part cannot be read.
    void WindowResized();

    // Whether the picture lies completely outside the window (strict limits); a
    // position that is no longer a finite number counts as gone as well.
    bool HasLeft() const;

private:
    float draw();
    bool show(int index);
    bool showWhole(const QString &path);
    bool showVisiblePart(const QString &path);
    // Decodes the part of the partial picture inside the window unless it is
    // held already; false when it cannot be read.
    bool holdVisiblePart();
    void place();
    void showNothing();
    void somethingShown();

    const SaverSettings &settings_;
    SlideshowState &state_;
    RandomSource &random_;
    PictureLoader &pictures_;
    ShowSurface &surface_;
    bool showsNothing_ = false;
    int periodBeforeRetrying_ = 0;
    // The picture shown in part, its whole size in pixels and the part held.
    QString partialPath_;
    QSize partialSize_;
    QRect heldPart_;
};
