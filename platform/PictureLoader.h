#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Reads a JPEG, GIF (first frame) or BMP file into a picture. The format is
// found from the content; EXIF orientation is applied.
struct LoadedPicture {
    QImage image;
    QString error;   // why the file could not be read; empty on success
    bool ok() const { return !image.isNull(); }
};

// What a file's header says, before any pixel is decoded.
struct PictureHeader {
    QSize size;      // upright, the orientation applied; in image pixels
    QString error;   // why the header could not be read; empty on success
    bool ok() const { return error.isEmpty(); }
};

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // The whole picture.
    virtual LoadedPicture Load(const QString &path);
    // The picture's size from its header alone.
    virtual PictureHeader ReadHeader(const QString &path);
    // Only the pixels of `region` (upright image pixels): a sequential JPEG is
    // decoded down to the region's last row and no further, and only the region is
    // kept; other formats are decoded whole and the region copied out of it. A
    // result whose size is not the region's counts as a failure.
    virtual LoadedPicture LoadRegion(const QString &path, const QRect &region);
    // The whole picture reduced to `size` (upright), smoothed at full quality; a
    // JPEG is decoded at 1/2, 1/4 or 1/8 first.
    virtual LoadedPicture LoadScaled(const QString &path, const QSize &size);
};
