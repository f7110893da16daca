#include "platform/PictureLoader.h"

#include "platform/VisibleRegion.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {
// Qt refuses to decode anything above 128 MB by default, less than one
// 36-megapixel photo. This admits about 268 megapixels at four bytes a pixel;
// a header claiming more is refused before any pixel memory is taken.
constexpr int kAllocationLimitMB = 1024;

LoadedPicture failure(const QString &reason)
{
    LoadedPicture result;
    result.error = reason;
    return result;
}

// Points the reader at the file; an empty text when it can be read.
QString prepare(QImageReader &reader, const QString &path)
{
    QImageReader::setAllocationLimit(kAllocationLimitMB);
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("%1: no such file").arg(path);
    if (!info.isFile())
        return QStringLiteral("%1: not a regular file").arg(path);
    reader.setFileName(path);
    // The name's extension says nothing reliable; the content decides.
    reader.setDecideFormatFromContent(true);
    // Photos stand upright as their EXIF orientation says. Sizes, clip rectangles
    // and scaled sizes given to the reader stay in the file's stored orientation.
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return QStringLiteral("%1: not a picture that can be read (%2)").arg(path, reader.errorString());
    return {};
}

// Why decoding `rows` rows of a picture stored as `size` would pass the limit.
QString beyondLimit(const QString &path, QSize size, int rows)
{
    if (qint64(size.width()) * rows * 4 <= qint64(kAllocationLimitMB) * 1024 * 1024)
        return {};
    return QStringLiteral("%1: %2 x %3 pixels is more than %4 MB")
        .arg(path)
        .arg(size.width())
        .arg(size.height())
        .arg(kAllocationLimitMB);
}

// Width and height swapped where the orientation turns the picture a quarter.
QSize quarterTurned(QSize size, const QImageReader &reader)
{
    return reader.transformation() & QImageIOHandler::TransformationRotate90 ? size.transposed() : size;
}

LoadedPicture decode(QImageReader &reader, const QString &path)
{
    // A GIF's first read gives its first frame.
    LoadedPicture result;
    result.image = reader.read();
    if (result.image.isNull())
        result.error = QStringLiteral("%1: %2").arg(path, reader.errorString());
    return result;
}

// Whether the file is a JPEG that libjpeg decodes row by row from the top: one
// sequential frame whose first scan carries every colour. A progressive frame, or
// colours in separate scans, make it keep the coefficients of the whole picture.
bool rowByRowJpeg(const QString &path)
{
    QFile file(path);
    uchar b[6];
    auto next = [&](int n) { return file.read(reinterpret_cast<char *>(b), n) == n; };
    if (!file.open(QIODevice::ReadOnly) || !next(2) || b[0] != 0xFF || b[1] != 0xD8)
        return false;
    int frameComponents = 0;
    while (next(4) && b[0] == 0xFF) {
        const int marker = b[1];
        const qint64 segmentEnd = file.pos() + (b[2] << 8 | b[3]) - 2;
        if (marker == 0xC0 || marker == 0xC1) {
            if (!next(6))
                return false;
            frameComponents = b[5];
        } else if (marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            return false;
        } else if (marker == 0xDA) {
            return frameComponents > 0 && next(1) && b[0] == frameComponents;
        }
        if (!file.seek(segmentEnd))
            return false;
    }
    return false;
}

// Opens the file for a decode of the whole picture, which the limit bounds.
QString prepareWhole(QImageReader &reader, const QString &path)
{
    if (QString error = prepare(reader, path); !error.isEmpty())
        return error;
    const QSize size = reader.size();
    return size.isValid() ? beyondLimit(path, size, size.height()) : QString();
}
}

LoadedPicture PictureLoader::Load(const QString &path)
{
    QImageReader reader;
    if (const QString error = prepareWhole(reader, path); !error.isEmpty())
        return failure(error);
    return decode(reader, path);
}

PictureHeader PictureLoader::ReadHeader(const QString &path)
{
    QImageReader reader;
    PictureHeader header;
    header.error = prepare(reader, path);
    if (!header.ok())
        return header;
    const QSize stored = reader.size();
    if (stored.isEmpty())
        header.error = QStringLiteral("%1: the header gives no size").arg(path);
    else
        header.size = quarterTurned(stored, reader);
    return header;
}

LoadedPicture PictureLoader::LoadRegion(const QString &path, const QRect &region)
{
    QImageReader reader;
    if (const QString error = prepare(reader, path); !error.isEmpty())
        return failure(error);
    const QSize stored = reader.size();
    if (stored.isEmpty() || region.isEmpty())
        return failure(QStringLiteral("%1: no size in the header or nothing to decode").arg(path));
    const QRect clip = VisibleRegion::InStored(region, stored, reader.transformation());
    // A row-by-row JPEG costs the rows down to the clip's last one and holds only
    // the clip; anything else is decoded whole first. The limit bounds both, so a
    // header claiming a vast picture cannot make the decoder run for minutes.
    const int rows = rowByRowJpeg(path) ? clip.bottom() + 1 : stored.height();
    if (const QString error = beyondLimit(path, stored, rows); !error.isEmpty())
        return failure(error);
    reader.setClipRect(clip);
    LoadedPicture part = decode(reader, path);
    if (part.ok() && part.image.size() != region.size())
        return failure(QStringLiteral("%1: the header's size does not match the pixels").arg(path));
    return part;
}

LoadedPicture PictureLoader::LoadScaled(const QString &path, const QSize &size)
{
    QImageReader reader;
    if (const QString error = prepareWhole(reader, path); !error.isEmpty())
        return failure(error);
    reader.setScaledSize(quarterTurned(size, reader));
    // Below the reader's quality threshold it would decode coarsely and scale
    // without smoothing.
    reader.setQuality(100);
    return decode(reader, path);
}
