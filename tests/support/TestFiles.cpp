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

bool writePicture(const QString &path, int width, int height, QColor color, const char *format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, format);
}

int countPixels(const QImage &image, QColor color, int tolerance)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = line[x];
            if (std::abs(qRed(p) - color.red()) <= tolerance && std::abs(qGreen(p) - color.green()) <= tolerance &&
                std::abs(qBlue(p) - color.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

QString testData(const QString &name)
{
    return QStringLiteral(VISTELLO_SOURCE_DIR "/tests/data/") + name;
}
