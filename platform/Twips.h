#pragma once

// The unit of every position and size: 15 twips to a logical pixel.
class Twips {
public:
    static constexpr float kPerPixel = 15.0f;

    // The nearest whole pixel (a half to the even neighbour), clamped so that
    // far-off positions cannot overflow the conversion. With a ratio: the nearest
    // device pixel on a screen of that many device pixels a logical pixel.
    static int toPixels(float twips, double ratio = 1);
};
