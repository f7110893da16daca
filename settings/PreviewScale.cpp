#include "settings/PreviewScale.h"

#include <cmath>

PreviewScale::Fit PreviewScale::FitPicture(float width, float height)
{
    Fit fit;
    fit.width = width;
    fit.height = height;
    fit.caption = Caption(1.0f);
    if (!(width > 0) || !(height > 0))
        return fit;
    fit.PreviewHeightRatio = kAreaHeight / height;
    fit.PreviewWidthRatio = kAreaWidth / width;
    if (fit.PreviewHeightRatio < 1 || fit.PreviewWidthRatio < 1) {
        fit.reduced = true;
        fit.factor = fit.PreviewHeightRatio < fit.PreviewWidthRatio ? fit.PreviewHeightRatio : fit.PreviewWidthRatio;
        // Height first, then width, each in single precision.
        fit.height = fit.height * fit.factor;
        fit.width = fit.width * fit.factor;
        fit.caption = Caption(fit.factor);
    }
    return fit;
}

QString PreviewScale::Caption(float factor)
{
    // Rounded on the decimal value, half away from zero, as a number format does.
    const double hundredths = std::floor(static_cast<double>(factor) * 100.0 + 0.5);
    return QStringLiteral("画像プレビュー(") + QString::number(hundredths / 100.0, 'f', 2) + QStringLiteral("倍)");
}
