#pragma once

#include "settings/SaverSettings.h"
#include "slideshow/MouseState.h"
#include "slideshow/SlideshowState.h"

// The program-wide shared state: one instance for the whole run, shared by the
// slideshow window and the settings dialog.
struct Module1 {
    SaverSettings settings;
    SlideshowState show;
    SaverMouseState saverMouse;
    ManualMouseState manualMouse;
};
