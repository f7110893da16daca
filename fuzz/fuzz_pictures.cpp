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
    for (int i = 1; i <= state->ImageCount; ++i) {
        const LoadedPicture picture = loader->Load(folder + state->ImageList[size_t(i)]);
        if (picture.ok() == !picture.error.isEmpty()) {
            fprintf(stderr, "a result must be a picture or a reason\n");
            abort();
        }
    }
    QFile::remove(folder + name);
    return 0;
}
