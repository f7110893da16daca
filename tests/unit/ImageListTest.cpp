#include "core/SlideshowState.h"
#include "slideshow/ImageListBuilder.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

static QStringList listed(const SlideshowState &s) { return {s.ImageList.begin() + 1, s.ImageList.begin() + 1 + s.ImageCount}; }

// The four patterns in any ASCII case; regular files and links to them, never hidden ones.
TEST(ImageListTest, PictureFilesInUtf16Order)
{
    ScratchFolder dir;
    for (const char *name : {"b.jpg", "A.gif", "a.bmp", "c.JPEG", "10.jpg", "9.jpg", "x.png", "x.jpg.", "x.jpe",
                             "x.ＪＰＧ", ".hidden.gif", "target.dat", "Ａ.jpg", "写真.jpg", "😀.jpg", ".folder.jpg/in.jpg"})
        dir.write(QString::fromUtf8(name), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.jpg") && QFile::link(dir.file("target.dat"), dir.file("link.bmp"))
                && QFile::link(dir.file("missing"), dir.file("dangling.jpg"))
                && QFile::link(dir.file("folder.jpg"), dir.file("folderlink.gif"))
                && ::mkfifo(qPrintable(dir.file("pipe.jpg")), 0600) == 0);
    SlideshowState s;
    ImageListBuilder::BuildImageList(dir.path(), s, {});
    // U+1F600 is stored as D83D DE00, so it sorts before the full-width Ａ (FF21).
    EXPECT_EQ(listed(s), QString("10.jpg 9.jpg A.gif a.bmp b.jpg c.JPEG link.bmp 写真.jpg 😀.jpg Ａ.jpg").split(' '));
}

TEST(ImageListTest, KeepsTheFirst3000AndStopsWhenTheShowEnds)
{
    ScratchFolder dir;
    QStringList all;
    for (int i = 3009; i >= 0; --i)
        dir.write(all.emplaceFront(QStringLiteral("p%1.jpg").arg(i, 5, 10, QLatin1Char('0'))), "");
    SlideshowState s;
    EXPECT_EQ(ImageListBuilder::BuildImageList(dir.path(), s, [] { return true; }).matching, 3010);
    EXPECT_EQ(listed(s), all.mid(0, 3000));
    EXPECT_FALSE(ImageListBuilder::BuildImageList(dir.path(), s, [] { return false; }).finished);
    EXPECT_EQ(s.ImageCount, 0);
    EXPECT_FALSE(ImageListBuilder::BuildImageList(dir.file("none"), s, {}).folderListed);
}
