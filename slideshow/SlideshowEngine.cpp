#include "slideshow/SlideshowEngine.h"

#include "platform/PictureLoader.h"
#include "platform/RandomSource.h"
#include "platform/VisibleRegion.h"
#include "core/SaverSettings.h"
#include "slideshow/ImageListBuilder.h"
#include "core/PicturePath.h"
#include "slideshow/ShowSurface.h"
#include "core/SlideshowState.h"
#include "slideshow/TickPeriod.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Stores a double step result as a position. Beyond the range of float the
// position becomes an infinity (a plain conversion would be undefined there);
// HasLeft treats that as gone.
float toSingle(double value)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax)
        return std::numeric_limits<float>::infinity();
    if (value < -kMax)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}
}

SlideshowEngine::SlideshowEngine(const SaverSettings &settings, SlideshowState &state,
                                 RandomSource &random, PictureLoader &pictures, ShowSurface &surface)
    : settings_(settings), state_(state), random_(random), pictures_(pictures), surface_(surface)
{
}

bool SlideshowEngine::Prepare()
{
    const ImageListBuilder::Result list = ImageListBuilder::BuildImageList(
        settings_.PictureFolder, state_, [this] { return surface_.ProcessPendingEvents(); });
    if (!list.finished)
        return false;

    if (const auto period = TickPeriod::Interval(settings_.Mode(), settings_.SwitchSpeed))
        surface_.SetTimerInterval(*period);

    if (state_.ImageCount == 0) {
        surface_.SetPictureBackColor(Qt::black);
        return true;
    }
    state_.CurrentIndex = 1;
    ShowFirstPicture();
    surface_.SetTimerEnabled(true);
    return true;
}

float SlideshowEngine::draw()
{
    random_.Randomize();
    return random_.Rnd();
}

void SlideshowEngine::Tick()
{
    if (state_.ImageCount < 1)
        return;
    const ShowMode mode = settings_.Mode();
    if (mode == ShowMode::Other)
        return;
    // An empty box has nothing to carry across: try the next picture at once.
    if (mode == ShowMode::Moving && !showsNothing_) {
        MoveStep();
        if (!HasLeft())
            return;
    }
    Advance();
    PickPicture();
}

void SlideshowEngine::ShowFirstPicture()
{
    // A new show: whatever an earlier one could not read does not carry over.
    showsNothing_ = false;
    PickPicture();
}

void SlideshowEngine::place()
{
    switch (settings_.Mode()) {
    case ShowMode::Centred:
        PlaceCentred();
        break;
    case ShowMode::RandomPlace:
        PlaceAtRandom();
        break;
    case ShowMode::Moving:
        EnterFromRandomEdge();
        break;
    case ShowMode::Other:
        break;
    }
}

void SlideshowEngine::Advance()
{
    int next = state_.CurrentIndex + 1;
    if (next > state_.ImageCount || next < 1)
        next = 1;
    state_.CurrentIndex = static_cast<std::int16_t>(next);
}

bool SlideshowEngine::PickPicture()
{
    const int count = state_.ImageCount;
    // The old picture goes before the new one is read, so that two large
    // photos never sit in memory together. Nothing is drawn within the tick, so
    // the screen shows neither the empty box nor a placement whose decoding then
    // fails: it changes only once a picture is in the box.
    surface_.SetPicture(QImage());
    partialPath_.clear();
    if (settings_.InFileNameOrder()) {
        for (int tried = 0; tried < count; ++tried) {
            if (tried > 0)
                Advance();
            if (show(state_.CurrentIndex))
                return true;
        }
    } else {
        for (int tried = 0; tried < count; ++tried) {
            const float r = draw();
            const int index = static_cast<int>(std::floor(static_cast<float>(count) * r + 1.0f));
            state_.RandomIndex = static_cast<std::int16_t>(std::clamp(index, 1, count));
            if (show(state_.RandomIndex))
                return true;
        }
    }
    showNothing();
    return false;
}

bool SlideshowEngine::show(int index)
{
    if (index < 1 || index > state_.ImageCount)
        return false;
    const QString path = PicturePath::Of(settings_.PictureFolder, state_.ImageList[static_cast<std::size_t>(index)]);
    const ShowMode mode = settings_.Mode();
    const bool stays = mode == ShowMode::Centred || mode == ShowMode::RandomPlace;
    if (!(stays ? showVisiblePart(path) : showWhole(path)))
        return false;
    somethingShown();
    return true;
}

bool SlideshowEngine::showWhole(const QString &path)
{
    LoadedPicture loaded = pictures_.Load(path);
    if (!loaded.ok())
        return false;
    // Pixel for pixel on the physical screen: the picture's logical size is its
    // pixel size divided by the screen's ratio.
    QImage image = std::move(loaded.image);
    image.setDevicePixelRatio(surface_.DevicePixelRatio());
    surface_.SetPicture(image);
    place();
    return true;
}

bool SlideshowEngine::showVisiblePart(const QString &path)
{
    // Placed on the size its header gives, a picture that stays where it is needs
    // only the pixels that fall inside the window.
    const PictureHeader header = pictures_.ReadHeader(path);
    if (!header.ok())
        return false;
    surface_.SetPicturePart(QImage(), QPoint(), header.size);
    place();
    partialPath_ = path;
    partialSize_ = header.size;
    heldPart_ = QRect();
    // A window with no area sees nothing of any picture, until it grows.
    if (!holdVisiblePart()) {
        partialPath_.clear();
        return false;
    }
    return true;
}

bool SlideshowEngine::holdVisiblePart()
{
    const QRect visible = VisibleRegion::Of(surface_.PictureLeft(), surface_.PictureTop(), surface_.FormWidth(),
                                            surface_.FormHeight(), partialSize_, surface_.DevicePixelRatio());
    if (visible.isEmpty() || heldPart_.contains(visible))
        return true;
    LoadedPicture part = pictures_.LoadRegion(partialPath_, visible);
    if (!part.ok())
        return false;
    surface_.SetPicturePart(std::move(part.image), visible.topLeft(), partialSize_);
    heldPart_ = visible;
    return true;
}

void SlideshowEngine::WindowResized()
{
    if (!partialPath_.isEmpty())
        holdVisiblePart();
}

void SlideshowEngine::showNothing()
{
    surface_.SetPicture(QImage());
    surface_.SetPictureBackColor(Qt::black);
    if (!showsNothing_) {
        showsNothing_ = true;
        periodBeforeRetrying_ = surface_.TimerInterval();
        if (periodBeforeRetrying_ < kRetryPeriod)
            surface_.SetTimerInterval(kRetryPeriod);
    }
}

void SlideshowEngine::somethingShown()
{
    if (!showsNothing_)
        return;
    showsNothing_ = false;
    if (periodBeforeRetrying_ < kRetryPeriod)
        surface_.SetTimerInterval(periodBeforeRetrying_);
}

void SlideshowEngine::PlaceCentred()
{
    const float W = surface_.FormWidth();
    const float w = surface_.PictureWidth();
    surface_.SetPictureLeft((W - w) / 2);
    const float H = surface_.FormHeight();
    const float h = surface_.PictureHeight();
    surface_.SetPictureTop((H - h) / 2);
}

void SlideshowEngine::PlaceAtRandom()
{
    random_.Randomize();
    const float w = surface_.PictureWidth();
    float r = random_.Rnd();
    const float W = surface_.FormWidth();
    surface_.SetPictureLeft(std::floor((W - w + 1) * r));

    random_.Randomize();
    const float h = surface_.PictureHeight();
    r = random_.Rnd();
    const float H = surface_.FormHeight();
    surface_.SetPictureTop(std::floor((H - h + 1) * r));
}

void SlideshowEngine::EnterFromRandomEdge()
{
    const int edge = std::clamp(static_cast<int>(std::floor(draw() * 4 + 1)), 1, 4);
    float base = 0;
    switch (edge) {
    case 1: {  // left edge, heading right
        surface_.SetPictureLeft(-surface_.PictureWidth());
        const float r = draw();
        surface_.SetPictureTop(std::floor((surface_.FormHeight() - surface_.PictureHeight() + 1) * r));
        base = kHeadingFromLeft;
        break;
    }
    case 2: {  // bottom edge, heading up
        const float r = draw();
        surface_.SetPictureLeft(std::floor((surface_.FormWidth() - surface_.PictureWidth() + 1) * r));
        surface_.SetPictureTop(surface_.FormHeight());
        base = kHeadingFromBottom;
        break;
    }
    case 3: {  // right edge, heading left
        surface_.SetPictureLeft(surface_.FormWidth());
        const float r = draw();
        surface_.SetPictureTop(std::floor((surface_.FormHeight() - surface_.PictureHeight() + 1) * r));
        base = kHeadingFromRight;
        break;
    }
    default: {  // top edge, heading down
        const float r = draw();
        surface_.SetPictureLeft(std::floor((surface_.FormWidth() - surface_.PictureWidth() + 1) * r));
        surface_.SetPictureTop(-surface_.PictureHeight());
        base = kHeadingFromTop;
        break;
    }
    }
    const float degrees = std::floor(draw() * kHeadingSpread + base);
    state_.MoveAngle = degrees * (kPi / 180);
    state_.MoveDX = std::cos(state_.MoveAngle);
    state_.MoveDY = -std::sin(state_.MoveAngle);
}

void SlideshowEngine::MoveStep()
{
    const double speed = settings_.MoveSpeed;
    const double left = surface_.PictureLeft();
    surface_.SetPictureLeft(toSingle(left + (state_.MoveDX * speed) * kStepPerSpeed));
    const double top = surface_.PictureTop();
    surface_.SetPictureTop(toSingle(top + (state_.MoveDY * speed) * kStepPerSpeed));
}

bool SlideshowEngine::HasLeft() const
{
    const float left = surface_.PictureLeft();
    const float top = surface_.PictureTop();
    if (!std::isfinite(left) || !std::isfinite(top))
        return true;
    const float w = surface_.PictureWidth();
    const float h = surface_.PictureHeight();
    const float W = surface_.FormWidth();
    const float H = surface_.FormHeight();
    return -h > top || top > H || -w > left || left > W;
}
