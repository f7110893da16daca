#include "core/PicturePath.h"

QString PicturePath::WithSlash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString PicturePath::Folder(const QString &pictureFolder)
{
    return pictureFolder.isEmpty() ? pictureFolder : WithSlash(pictureFolder);
}

QString PicturePath::SearchFolder(const QString &pictureFolder)
{
    return pictureFolder.isEmpty() ? QStringLiteral(".") : Folder(pictureFolder);
}

QString PicturePath::Of(const QString &pictureFolder, const QString &fileName)
{
    return Folder(pictureFolder) + fileName;
}
