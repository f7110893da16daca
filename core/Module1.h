#pragma once

#include "core/SaverSettings.h"
#include "core/MouseState.h"
#include "core/SlideshowState.h"

// The program-wide shared state: one instance for the whole run, shared by the
// slideshow window and the settings dialog.
struct Module1 {
    SaverSettings settings;
    SlideshowState show;
    SaverMouseState saverMouse;
    ManualMouseState manualMouse;
};
