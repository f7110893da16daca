#pragma once

#include <QImageIOHandler>
#include <QRect>
#include <QSize>

// Which pixels of a picture shown pixel for pixel fall inside the slideshow
// window, and where those pixels lie in the file as it is stored. Rectangles are
// in device pixels of the picture.
class VisibleRegion {
public:
    // The pixels of a picture of `picture` device pixels whose box has its top-left
    // corner at (left, top) twips, in a window of formWidth x formHeight twips on a
    // screen of `ratio` device pixels per logical pixel. Empty when none show.
    static QRect Of(float left, float top, float formWidth, float formHeight, QSize picture, qreal ratio);

    // The rectangle of a file stored as `stored` pixels that becomes `upright` once
    // the reader has applied the file's orientation.
    static QRect InStored(const QRect &upright, QSize stored, QImageIOHandler::Transformations orientation);
};
