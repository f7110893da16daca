#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

// A scratch folder that disappears with the test.
class ScratchFolder {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.path() + QLatin1Char('/') + name; }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir dir_;
};

// Writes a solid picture in the format its name ends in.
bool writePicture(const QString &path, int width, int height, QColor color);

// How many pixels of the image have the colour (within a small tolerance, for JPEG).
int countPixels(const QImage &image, QColor color, int tolerance = 24);

// The image shows a picture of the colour and size in its middle, off by a pixel at
// most (so it covers all of the middle but its rim), and black all around.
bool showsCentred(const QImage &shot, QColor colour, QSize size);
