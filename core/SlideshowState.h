#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The show's program-wide state: the sorted picture list and the engine variables.
struct SlideshowState {
    static constexpr int kSlots = 3002;     // indexes 0 to 3001; 0 is never used
    static constexpr int kMaxPictures = 3000;

    std::array<QString, kSlots> ImageList;
    std::int16_t ImageCount = 0;
    std::int16_t CurrentIndex = 0;
    std::int16_t RandomIndex = 0;
    double MoveAngle = 0;
    double MoveDX = 0;
    double MoveDY = 0;
};
