// Any bytes as a picture file in a scratch folder: the list is built and each
// listed file goes through the show's loader, which reads it or gives a reason.
#include "platform/PictureLoader.h"
#include "slideshow/ImageListBuilder.h"
#include "core/SlideshowState.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
QTemporaryDir *scratch = nullptr;
SlideshowState *state = nullptr;
PictureLoader *loader = nullptr;

// The first byte picks the name, so one format's bytes also arrive under another's extension.
const char *const kNames[] = {"a.jpg", "b.JPEG", "c.gif", "d.bmp", "e .jpg.", "写真.Gif", ".hidden.jpg", "f.txt"};
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    scratch = new QTemporaryDir;
    state = new SlideshowState;
    loader = new PictureLoader;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString folder = scratch->path() + "/";
    const QString name = QString::fromUtf8(kNames[data[0] % (sizeof kNames / sizeof *kNames)]);
    {
        QFile file(folder + name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    const ImageListBuilder::Result list = ImageListBuilder::BuildImageList(folder, *state, [] { return true; });
    if (!list.finished || !list.folderListed || state->ImageCount > 1)
        abort();
    const auto check = [](bool ok, const QString &error) {
        if (ok == !error.isEmpty()) {
            fprintf(stderr, "a result must be a picture or a reason\n");
            abort();
        }
    };
    for (int i = 1; i <= state->ImageCount; ++i) {
        const QString path = folder + state->ImageList[size_t(i)];
        const LoadedPicture picture = loader->Load(path);
        check(picture.ok(), picture.error);
        // The ways modes 1 and 2 and the preview read it: header, a window's part, reduced.
        const PictureHeader header = loader->ReadHeader(path);
        check(header.ok() && !header.size.isEmpty(), header.error);
        if (header.ok()) {
            const QRect part = QRect(QPoint(0, 0), header.size).intersected(QRect(QPoint(9, 7), header.size / 2));
            const LoadedPicture region = loader->LoadRegion(path, part);
            check(region.ok(), region.error);
            const LoadedPicture reduced = loader->LoadScaled(path, QSize(64, 48));
            check(reduced.ok(), reduced.error);
        }
    }
    QFile::remove(folder + name);
    return 0;
}
