// PROVISIONAL: replaced by the picture-loading work.
#include "platform/PictureLoader.h"
#include <QImageReader>

LoadedPicture PictureLoader::Load(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    LoadedPicture result;
    result.image = reader.read();
    if (result.image.isNull())
        result.error = reader.errorString();
    return result;
}
