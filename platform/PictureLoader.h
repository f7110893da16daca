#pragma once

#include <QImage>
#include <QString>

// Reads a JPEG, GIF (first frame) or BMP file into a picture. The format is
// found from the content; EXIF orientation is applied.
struct LoadedPicture {
    QImage image;
    QString error;   // why the file could not be read; empty on success
    bool ok() const { return !image.isNull(); }
};

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    virtual LoadedPicture Load(const QString &path);
};
