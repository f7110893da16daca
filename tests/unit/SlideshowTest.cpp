#include "settings/SaverSettings.h"
#include "slideshow/Slideshow.h"
#include "slideshow/SlideshowState.h"
#include "support/TextOf.h"
#include "support/FakePictureLoader.h"
#include "support/FakeShowSurface.h"
#include "support/Fakes.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {
// A picture folder on disk; the loader serves the pictures the test names.
struct Rig {
    explicit Rig(const char *order = "FILE_NAME", double mode = 1)
    {
        settings.PictureFolder = folder.path() + "/";
        settings.PictureOrder = QString::fromLatin1(order);
        settings.DisplayMode = mode;
        settings.SwitchSpeed = 9;
        settings.MoveSpeed = 3;
    }
    void picture(const QString &name, int w = 320, int h = 240, bool readable = true)
    {
        folder.write(name, "");
        if (readable)
            pictures.add(folder.file(name), w, h);
    }
    QString path(const QString &name) const { return folder.file(name); }

    ScratchFolder folder;
    SaverSettings settings;
    SlideshowState state;
    ScriptedRandom random;
    FakePictureLoader pictures;
    FakeShowSurface surface{15360, 11520};
    Slideshow show{settings, state, random, pictures, surface};
};
}

TEST(SlideshowTest, EmptyFolderTurnsTheBoxBlackAndLeavesTheTimerOff)
{
    Rig rig;
    EXPECT_TRUE(rig.show.Prepare());
    EXPECT_EQ(rig.state.ImageCount, 0);
    EXPECT_EQ(rig.surface.backColor, QColor(Qt::black));
    EXPECT_FALSE(rig.surface.timerEnabled);
    EXPECT_EQ(rig.surface.interval, 2000);
    EXPECT_TRUE(rig.pictures.requested.isEmpty());
}

TEST(SlideshowTest, FirstPictureInFileNameOrderIsCentredAndTheTimerRuns)
{
    Rig rig;
    rig.picture("b.jpg");
    rig.picture("a.jpg");
    EXPECT_TRUE(rig.show.Prepare());
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(QStringList({rig.path("a.jpg")})));
    EXPECT_EQ(rig.state.CurrentIndex, 1);
    EXPECT_EQ(rig.surface.left, 5280);
    EXPECT_EQ(rig.surface.top, 3960);
    EXPECT_TRUE(rig.surface.timerEnabled);
    EXPECT_EQ(rig.surface.interval, 2000);
    EXPECT_EQ(rig.random.draws, 0);

    rig.show.Tick();
    EXPECT_EQ(TextOf(rig.pictures.requested.last()), TextOf(rig.path("b.jpg")));
}

TEST(SlideshowTest, FirstPictureInRandomOrderLeavesTheCounterAtOne)
{
    Rig rig("RANDOM");
    rig.picture("a.jpg");
    rig.picture("b.jpg");
    rig.random.push(0.5f);
    rig.show.Prepare();
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(QStringList({rig.path("b.jpg")})));
    EXPECT_EQ(rig.state.RandomIndex, 2);
    EXPECT_EQ(rig.state.CurrentIndex, 1);
    EXPECT_EQ(rig.random.reseeds, 1);
}

TEST(SlideshowTest, MovingModeStartsOutsideTheWindow)
{
    Rig rig("FILE_NAME", 3);
    rig.picture("a.jpg");
    for (float v : {0.0f, 0.5f, 0.5f})  // left edge, top, heading 0
        rig.random.push(v);
    rig.show.Prepare();
    EXPECT_EQ(rig.surface.interval, 10);
    EXPECT_EQ(rig.surface.left, -4800);
    EXPECT_EQ(rig.surface.top, 3960);
    EXPECT_TRUE(rig.surface.timerEnabled);
    rig.show.Tick();
    EXPECT_EQ(rig.surface.left, -4770);
}

TEST(SlideshowTest, OtherModesShowTheFirstPictureAtTheDesignPlace)
{
    for (double mode : {0.0, 4.0}) {
        Rig rig("FILE_NAME", mode);
        rig.picture("a.jpg");
        rig.picture("b.jpg");
        rig.show.Prepare();
        EXPECT_EQ(rig.surface.left, 480);
        EXPECT_EQ(rig.surface.top, 0);
        EXPECT_EQ(rig.surface.interval, 1000);
        EXPECT_TRUE(rig.surface.timerEnabled);
        rig.show.Tick();
        EXPECT_EQ(rig.pictures.requested.size(), 1);
        EXPECT_EQ(rig.surface.left, 480);
    }
}

TEST(SlideshowTest, FolderWithoutTrailingSlashIsUsedAsTheFolderAndNotChanged)
{
    Rig rig;
    rig.picture("a.jpg");
    rig.settings.PictureFolder = rig.folder.path();
    rig.show.Prepare();
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(QStringList({rig.path("a.jpg")})));
    EXPECT_EQ(TextOf(rig.settings.PictureFolder), TextOf(rig.folder.path()));
}

TEST(SlideshowTest, InputDuringPreparationEndsItCleanly)
{
    Rig rig;
    rig.picture("a.jpg");
    rig.surface.onEvents = [] { return false; };  // the window was unloaded
    EXPECT_FALSE(rig.show.Prepare());
    EXPECT_EQ(rig.state.ImageCount, 0);
    EXPECT_TRUE(rig.pictures.requested.isEmpty());
    EXPECT_FALSE(rig.surface.timerEnabled);
    EXPECT_EQ(rig.surface.interval, 1000);
    EXPECT_EQ(rig.surface.backColor, QColor(0, 0, 128));
}

TEST(SlideshowTest, UnreadableFirstPicturesAreSkipped)
{
    Rig rig;
    rig.picture("a.jpg", 320, 240, false);
    rig.picture("b.jpg", 320, 240, false);
    rig.picture("c.jpg");
    rig.show.Prepare();
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(QStringList({rig.path("a.jpg"), rig.path("b.jpg"), rig.path("c.jpg")})));
    EXPECT_EQ(rig.state.CurrentIndex, 3);
    EXPECT_EQ(rig.surface.left, 5280);
    rig.show.Tick();  // wraps after c.jpg and skips the two again
    EXPECT_EQ(TextOf(rig.pictures.requested.mid(3)),
              TextOf(QStringList({rig.path("a.jpg"), rig.path("b.jpg"), rig.path("c.jpg")})));
    EXPECT_EQ(rig.state.CurrentIndex, 3);
}

TEST(SlideshowTest, FolderOfBrokenFilesStaysBlackWithoutABusyTimerUntilPreparedAfresh)
{
    Rig rig("FILE_NAME", 3);
    rig.picture("a.jpg", 320, 240, false);
    rig.picture("b.gif", 320, 240, false);
    rig.show.Prepare();
    EXPECT_EQ(rig.pictures.requested.size(), 2);
    EXPECT_TRUE(rig.surface.picture.isNull());
    EXPECT_EQ(rig.surface.backColor, QColor(Qt::black));  // no dark-blue box
    EXPECT_TRUE(rig.surface.timerEnabled);
    EXPECT_EQ(rig.surface.interval, 1000);  // retried once a second, not every 10 ms
    rig.show.Tick();
    EXPECT_EQ(rig.pictures.requested.size(), 4);

    // Shown again with mode 1 and a readable picture: the period of the settings holds.
    rig.settings.DisplayMode = 1;
    rig.pictures.add(rig.path("a.jpg"));
    rig.show.Prepare();
    EXPECT_EQ(rig.surface.interval, 2000);
    EXPECT_FALSE(rig.surface.picture.isNull());
}
