#pragma once

#include <QString>

// Full paths of the show's pictures. The picture folder is meant to end with
// "/"; a hand-edited settings file may lose it, and the folder is then used as
// if it were there (the stored text is not changed).
class PicturePath {
public:
    // The path followed by "/" unless it ends with one already ("" gives "/").
    static QString WithSlash(const QString &path);

    // The folder with exactly the separator it needs: "" stays "" (the current
    // folder, as a bare file name would mean), anything else ends with "/".
    static QString Folder(const QString &pictureFolder);

    // The folder to search: "." for the empty folder, otherwise Folder().
    static QString SearchFolder(const QString &pictureFolder);

    // Folder(pictureFolder) followed directly by the file name.
    static QString Of(const QString &pictureFolder, const QString &fileName);
};
