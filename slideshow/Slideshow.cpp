#include "slideshow/Slideshow.h"

#include "settings/SaverSettings.h"
#include "slideshow/ImageListBuilder.h"
#include "slideshow/ShowSurface.h"
#include "slideshow/SlideshowState.h"
#include "slideshow/TickPeriod.h"

Slideshow::Slideshow(const SaverSettings &settings, SlideshowState &state, RandomSource &random,
                     PictureLoader &pictures, ShowSurface &surface)
    : settings_(settings)
    , state_(state)
    , surface_(surface)
    , engine_(settings, state, random, pictures, surface)
{
}

bool Slideshow::Prepare()
{
    const ImageListBuilder::Result list = ImageListBuilder::BuildImageList(
        settings_.PictureFolder, state_, [this] { return surface_.ProcessPendingEvents(); });
    if (!list.finished)
        return false;

    if (const auto period = TickPeriod::Interval(settings_.DisplayMode, settings_.SwitchSpeed))
        surface_.SetTimerInterval(*period);

    if (state_.ImageCount == 0) {
        surface_.SetPictureBackColor(Qt::black);
        return true;
    }
    state_.CurrentIndex = 1;
    engine_.ShowFirstPicture();
    surface_.SetTimerEnabled(true);
    return true;
}

void Slideshow::Tick()
{
    engine_.Tick();
}
