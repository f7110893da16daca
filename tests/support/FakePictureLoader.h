#pragma once

#include "platform/PictureLoader.h"

#include <QHash>
#include <QStringList>

// Serves pictures by path from memory: a path without a picture fails to load.
// Records every path asked for, in order.
class FakePictureLoader : public PictureLoader {
public:
    LoadedPicture Load(const QString &path) override
    {
        requested << path;
        LoadedPicture result;
        const auto it = pictures.constFind(path);
        if (it == pictures.constEnd() || it->isNull())
            result.error = QStringLiteral("cannot read");
        else
            result.image = *it;
        return result;
    }

    // A solid picture of the given pixel size.
    void add(const QString &path, int width = 40, int height = 30, QColor color = Qt::red)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(color);
        pictures.insert(path, image);
    }

    QHash<QString, QImage> pictures;
    QStringList requested;
};
