#include "platform/VisibleRegion.h"

#include "platform/Twips.h"

#include <QImage>
#include <QTransform>
#include <cmath>

QRect VisibleRegion::Of(float left, float top, float formWidth, float formHeight, QSize picture, qreal ratio)
{
    // The box draws picture pixel p at device pixel p from its corner, which
    // stands at the device pixel nearest its place, so the window seen from the
    // box is the window moved back by the box's position.
    const QPoint box(Twips::toPixels(left, ratio), Twips::toPixels(top, ratio));
    QRect device(-box, QSize(Twips::toPixels(formWidth, ratio), Twips::toPixels(formHeight, ratio)));
    // A fractional ratio puts picture pixels across device pixel edges; the painter
    // may sample the neighbour of an edge pixel.
    if (ratio != std::floor(ratio))
        device.adjust(-1, -1, 1, 1);
    return device.intersected(QRect(QPoint(0, 0), picture));
}

QRect VisibleRegion::InStored(const QRect &upright, QSize stored, QImageIOHandler::Transformations orientation)
{
    // The reader mirrors and flips first, then turns a quarter clockwise;
    // trueMatrix moves the result back to the origin, as QImage::transformed does.
    QTransform toUpright = QTransform::fromScale(orientation & QImageIOHandler::TransformationMirror ? -1 : 1,
                                                 orientation & QImageIOHandler::TransformationFlip ? -1 : 1);
    if (orientation & QImageIOHandler::TransformationRotate90)
        toUpright *= QTransform().rotate(90);
    toUpright = QImage::trueMatrix(toUpright, stored.width(), stored.height());
    return toUpright.inverted().mapRect(QRectF(upright)).toAlignedRect();
}
