#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

void ScratchFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray ScratchFolder::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writePicture(const QString &path, int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path);
}

int countPixels(const QImage &image, QColor color, int tolerance)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto near = [&](int a, int b) { return std::abs(a - b) <= tolerance; };
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            count += near(qRed(rgb.pixel(x, y)), color.red()) && near(qGreen(rgb.pixel(x, y)), color.green())
                     && near(qBlue(rgb.pixel(x, y)), color.blue());
    return count;
}

bool showsCentred(const QImage &shot, QColor colour, QSize size)
{
    const int area = size.width() * size.height();
    const QRect inner = QRect(QPoint(shot.width() - size.width(), shot.height() - size.height()) / 2, size)
                            .adjusted(1, 1, -1, -1);
    return !shot.isNull() && countPixels(shot, colour, 0) == area
           && countPixels(shot, Qt::black, 0) == shot.width() * shot.height() - area
           && countPixels(shot.copy(inner), colour, 0) == inner.width() * inner.height();
}
