// PROVISIONAL: replaced by the slideshow work; shows a black screen only.
#include "slideshow/Slideshow.h"
#include "slideshow/ShowSurface.h"
#include "slideshow/SlideshowState.h"

Slideshow::Slideshow(const SaverSettings &settings, SlideshowState &state, RandomSource &random,
                     PictureLoader &pictures, ShowSurface &surface)
    : settings_(settings), state_(state), random_(random), pictures_(pictures), surface_(surface) {}

bool Slideshow::Prepare()
{
    if (!surface_.ProcessPendingEvents())
        return false;
    state_.ImageCount = 0;
    surface_.SetPictureBackColor(Qt::black);
    return true;
}

void Slideshow::Tick() {}
