#pragma once

#include <QString>

// How the preview fits a picture into the preview area: natural size when it fits,
// otherwise both sides times the smaller of the two ratios. Sizes in twips,
// single precision, as the preview frame holds them.
class PreviewScale {
public:
    static constexpr float kAreaWidth = 2595;
    static constexpr float kAreaHeight = 2055;

    struct Fit {
        float PreviewHeightRatio = 1;
        float PreviewWidthRatio = 1;
        bool reduced = false;   // the picture is higher or wider than the area
        float factor = 1;       // the smaller ratio when reduced, else 1
        float width = 0;        // the frame's size after the fit
        float height = 0;
        QString caption;        // the preview label's text
    };

    static Fit FitPicture(float width, float height);

    // "画像プレビュー(0.50倍)": the factor with two decimals, an exact half rounded up.
    static QString Caption(float factor);
};
