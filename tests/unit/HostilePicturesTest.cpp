#include "platform/PictureLoader.h"
#include "settings/SaverSettings.h"
#include "slideshow/ImageListBuilder.h"
#include "slideshow/Slideshow.h"
#include "slideshow/SlideshowState.h"
#include "support/FakeShowSurface.h"
#include "support/Fakes.h"
#include "support/HostileFiles.h"
#include "support/ScratchFolder.h"

#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// The real loader, recording which files came out as pictures.
class RecordingLoader : public PictureLoader {
public:
    LoadedPicture Load(const QString &path) override
    {
        LoadedPicture picture = PictureLoader::Load(path);
        const QString name = QFileInfo(path).fileName();
        ++attempts;
        if (picture.ok())
            shown.insert(name);
        else
            EXPECT_FALSE(picture.error.isEmpty()) << name.toStdString();
        return picture;
    }
    QSet<QString> shown;
    int attempts = 0;
};

// AddressSanitizer holds freed memory back for a while, so peaks say nothing there.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kPeakAllowanceKB = 1024 * 1024;
#else
constexpr long kPeakAllowanceKB = 200 * 1024;
#endif

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QSet<QString> namesWith(HostileFile::Expect expect)
{
    QSet<QString> names;
    for (const HostileFile &f : HostileFiles::Pictures())
        if (f.expect == expect)
            names.insert(f.name);
    return names;
}

}

TEST(HostilePicturesTest, EachFileLoadsOrIsRefusedWithAReasonAsExpected)
{
    ScratchFolder folder;
    const QList<HostileFile> files = HostileFiles::Pictures();
    ASSERT_TRUE(HostileFiles::WriteAll(folder.path(), files));
    const long before = peakKilobytes();
    PictureLoader loader;
    for (const HostileFile &f : files) {
        const LoadedPicture picture = loader.Load(folder.file(f.name));
        const std::string name = f.name.toStdString();
        if (f.expect == HostileFile::Shows)
            EXPECT_TRUE(picture.ok()) << name << ": " << picture.error.toStdString();
        else if (f.expect == HostileFile::Refused)
            EXPECT_FALSE(picture.ok()) << name;
        EXPECT_EQ(picture.ok(), picture.error.isEmpty()) << name;
    }
    // Headers that claim 65535 x 65535 pixels (16 GB) must not be allocated.
    EXPECT_LT(peakKilobytes() - before, kPeakAllowanceKB);
}

TEST(HostilePicturesTest, OnlyPictureNamesAreListedAndOddNamesKeepTheirText)
{
    ScratchFolder folder;
    const QList<HostileFile> files = HostileFiles::Pictures();
    ASSERT_TRUE(HostileFiles::WriteAll(folder.path(), files));
    SlideshowState state;
    const ImageListBuilder::Result result =
        ImageListBuilder::BuildImageList(folder.path() + "/", state, [] { return true; });
    ASSERT_TRUE(result.folderListed);
    QSet<QString> listed;
    for (int i = 1; i <= state.ImageCount; ++i)
        listed.insert(state.ImageList[size_t(i)]);
    EXPECT_EQ(listed.size(), files.size() - 1);
    EXPECT_FALSE(listed.contains(QStringLiteral("trailing dot.jpg.")));
    EXPECT_TRUE(listed.contains(QStringLiteral("写真 夏の海.jpeg")));
    EXPECT_TRUE(listed.contains(QStringLiteral("  blanks  around .BMP")));
}

// The show over the whole mixed folder in every mode and order: it never stops,
// shows every good picture and no refused file, and its memory stays bounded.
TEST(HostilePicturesTest, ShowRunsOverAMixedFolderInEveryModeAndOrder)
{
    ScratchFolder folder;
    ASSERT_TRUE(HostileFiles::WriteAll(folder.path(), HostileFiles::Pictures()));
    const QSet<QString> good = namesWith(HostileFile::Shows);
    const QSet<QString> refused = namesWith(HostileFile::Refused);
    const long before = peakKilobytes();

    for (const char *order : {"FILE_NAME", "RANDOM"}) {
        for (const double mode : {1.0, 2.0, 3.0}) {
            SCOPED_TRACE(std::string(order) + " mode " + std::to_string(int(mode)));
            SaverSettings settings;
            settings.PictureFolder = folder.path() + "/";
            settings.PictureOrder = QString::fromLatin1(order);
            settings.DisplayMode = mode;
            settings.SwitchSpeed = 10;
            settings.MoveSpeed = 10;
            SlideshowState state;
            std::deque<float> draws;
            for (int i = 0; i < 4000; ++i)
                draws.push_back(float((i * 7919) % 1000) / 1000.0f);
            ScriptedRandom random(draws);
            RecordingLoader loader;
            // A small window, so that the moving picture leaves it after a few steps.
            FakeShowSurface surface(1500, 1500);
            Slideshow show(settings, state, random, loader, surface);
            ASSERT_TRUE(show.Prepare());
            ASSERT_TRUE(surface.timerEnabled);
            const int wanted = mode == 3 ? 150 : 400;
            int ticks = 0;
            while (surface.picturesShown < wanted && ticks < 200000) {
                show.Tick();
                ++ticks;
            }
            EXPECT_GE(surface.picturesShown, wanted);
            EXPECT_FALSE(show.engine().showsNothing());
            if (QString::fromLatin1(order) == "FILE_NAME") {
                QSet<QString> missing = good;
                missing.subtract(loader.shown);
                EXPECT_TRUE(missing.isEmpty()) << "not shown: " << QStringList(missing.values()).join(", ").toStdString();
            }
            QSet<QString> wrong = refused;
            wrong.intersect(loader.shown);
            EXPECT_TRUE(wrong.isEmpty()) << "shown: " << QStringList(wrong.values()).join(", ").toStdString();
        }
    }
    EXPECT_LT(peakKilobytes() - before, kPeakAllowanceKB);
}
