#pragma once

#include <QString>
#include <QStringList>

// Picture folders for the benchmarks, made once under the temporary folder and
// kept there between runs (making a 24-megapixel JPEG takes a few seconds).
class BenchFolder {
public:
    // 3000 empty files with shuffled names ending in the four picture patterns.
    static QString ManyNames();
    // The names in ManyNames(), in the order the folder lists them.
    static QStringList ManyNamesUnsorted();

    // 3000 pictures whose first in sort order is a 6000 x 4000 JPEG; the rest
    // are links to one small JPEG.
    static QString BigFirstOf3000();
    static QString BigFirstPath();

    // One 1600 x 1200 JPEG.
    static QString OneMovingPicture();

    // A folder holding one 8000 x 6000 baseline JPEG photo made by ImageMagick
    // (a gradient with noise, as bench/compare-feh.sh makes it), and its path.
    static QString LargePhotoFolder();
    static QString LargePhotoPath();

private:
    static QString root();
    static void writeJpeg(const QString &path, int w, int h);
};
