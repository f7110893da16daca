#pragma once

#include <cstdint>

// Pointer history of the screen-saver edition's movement rule. An empty value of
// the original counts as 0, which the zero initial values give here.
struct SaverMouseState {
    bool MouseMoved = false;
    float LastMouseX = 0;
    // Wider than the original 16 bits: screens taller than 2184 pixels give y
    // values past 32767 twips.
    std::int32_t LastMouseY = 0;
};

// Pointer history of the manual edition; it outlives each showing of the window.
struct ManualMouseState {
    std::int32_t MouseMoveCount = 0;
    float LastMouseX = 0;
    std::int32_t LastMouseY = 0;
};
