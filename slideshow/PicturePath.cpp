#include "slideshow/PicturePath.h"

QString PicturePath::Folder(const QString &pictureFolder)
{
    if (pictureFolder.isEmpty() || pictureFolder.endsWith(QLatin1Char('/')))
        return pictureFolder;
    return pictureFolder + QLatin1Char('/');
}

QString PicturePath::SearchFolder(const QString &pictureFolder)
{
    return pictureFolder.isEmpty() ? QStringLiteral(".") : Folder(pictureFolder);
}

QString PicturePath::Of(const QString &pictureFolder, const QString &fileName)
{
    return Folder(pictureFolder) + fileName;
}
