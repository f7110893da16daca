#include "platform/PictureLoader.h"

#include <QCoreApplication>
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
}

LoadedPicture PictureLoader::Load(const QString &path)
{
    QImageReader::setAllocationLimit(kAllocationLimitMB);

    const QFileInfo info(path);
    if (!info.exists())
        return failure(QStringLiteral("%1: no such file").arg(path));
    if (!info.isFile())
        return failure(QStringLiteral("%1: not a regular file").arg(path));

    QImageReader reader(path);
    // The name's extension says nothing reliable; the content decides.
    reader.setDecideFormatFromContent(true);
    // Photos stand upright as their EXIF orientation says.
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return failure(QStringLiteral("%1: not a picture that can be read (%2)")
                           .arg(path, reader.errorString()));

    const QSize size = reader.size();
    if (size.isValid()) {
        const qint64 bytes = qint64(size.width()) * size.height() * 4;
        if (bytes > qint64(kAllocationLimitMB) * 1024 * 1024)
            return failure(QStringLiteral("%1: %2 x %3 pixels is more than %4 MB")
                               .arg(path)
                               .arg(size.width())
                               .arg(size.height())
                               .arg(kAllocationLimitMB));
    }

    // A GIF's first read gives its first frame.
    LoadedPicture result;
    result.image = reader.read();
    if (result.image.isNull())
        result.error = QStringLiteral("%1: %2").arg(path, reader.errorString());
    return result;
}
