#pragma once

// The unit of every position and size: 15 twips to a logical pixel.
class Twips {
public:
    static constexpr float kPerPixel = 15.0f;

    // The nearest whole pixel (a half to the even neighbour), clamped so that
    // far-off positions cannot overflow the conversion.
    static int toPixels(float twips);
};
