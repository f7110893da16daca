#include "slideshow/ImageListBuilder.h"
#include "slideshow/SlideshowState.h"
#include "support/TextOf.h"
#include "support/ScratchFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QStringList listed(const SlideshowState &s)
{
    QStringList names;
    for (int i = 1; i <= s.ImageCount; ++i)
        names << s.ImageList[static_cast<std::size_t>(i)];
    return names;
}

void touch(const ScratchFolder &dir, const QStringList &names)
{
    for (const QString &name : names)
        dir.write(name, "x");
}

ImageListBuilder::Result build(const QString &folder, SlideshowState &s,
                               const ImageListBuilder::LetEventsThrough &events = {})
{
    return ImageListBuilder::BuildImageList(folder, s, events);
}

// The exchange sort with a sorted flag, as the list was once sorted.
void exchangeSort(QStringList &names)
{
    bool sorted = false;
    while (!sorted) {
        sorted = true;
        for (qsizetype i = 0; i + 1 < names.size(); ++i) {
            if (ImageListBuilder::ComesBefore(names[i + 1], names[i])) {
                names.swapItemsAt(i, i + 1);
                sorted = false;
            }
        }
    }
}
}

TEST(ImageListBuilderTest, SortsByUtf16CodeUnitsAcrossPatterns)
{
    // U+1F600 is stored as D83D DE00 and so sorts before U+FF21 (full-width A),
    // although its code point is larger; kana and kanji come after ASCII.
    const QString emoji = QString::fromUtf16(u"\U0001F600.jpg");
    const QString wideA = QString::fromUtf16(u"\uFF21.jpg");
    const QString kanji = QString::fromUtf16(u"写真.jpg");
    const struct { QStringList files, order; } cases[] = {
        {{"b.jpg", "A.gif", "a.bmp", "c.JPEG"}, {"A.gif", "a.bmp", "b.jpg", "c.JPEG"}},
        {{"x.jpg", "x.jpeg", "x1.gif", "X.bmp", "10.jpg", "9.jpg"},
         {"10.jpg", "9.jpg", "X.bmp", "x.jpeg", "x.jpg", "x1.gif"}},
        {{wideA, kanji, emoji, "z.jpg"}, {"z.jpg", kanji, emoji, wideA}},
    };
    for (const auto &c : cases) {
        ScratchFolder dir;
        touch(dir, c.files);
        SlideshowState s;
        const auto r = build(dir.path() + "/", s);
        EXPECT_TRUE(r.finished);
        EXPECT_TRUE(r.folderListed);
        EXPECT_EQ(TextOf(listed(s)), TextOf(c.order));
        EXPECT_TRUE(s.ImageList[0].isEmpty());
        EXPECT_TRUE(s.ImageList[static_cast<std::size_t>(c.files.size() + 1)].isEmpty());
    }
}

TEST(ImageListBuilderTest, MatchesOnlyPictureNamesInAnyCase)
{
    for (const char *yes : {"P.JPG", "q.Jpeg", "r.GiF", "s.bMP", "a.b.jpg"})
        EXPECT_TRUE(ImageListBuilder::IsPictureName(QString::fromLatin1(yes))) << yes;
    for (const char *no : {"y.png", "z.tif", "t.jpg.txt", "u.jpe", "jpg", ".hidden.jpg"})
        EXPECT_FALSE(ImageListBuilder::IsPictureName(QString::fromLatin1(no))) << no;
    // Only ASCII letters fold: a full-width "ＪＰＧ" is another extension.
    EXPECT_FALSE(ImageListBuilder::IsPictureName(QString::fromUtf16(u"v.\uFF2A\uFF30\uFF27")));
}

TEST(ImageListBuilderTest, ListsRegularNonHiddenFilesAndLinksToThem)
{
    ScratchFolder dir;
    touch(dir, {"plain.jpg", "other.png", "z.tif", ".hidden.gif", "UPPER.JPG", "target.dat"});
    QDir(dir.path()).mkdir("folder.jpg");
    ASSERT_EQ(::symlink(qPrintable(dir.file("target.dat")), qPrintable(dir.file("link.bmp"))), 0);
    ASSERT_EQ(::symlink(qPrintable(dir.file("missing")), qPrintable(dir.file("dangling.jpg"))), 0);
    ASSERT_EQ(::symlink(qPrintable(dir.file("folder.jpg")), qPrintable(dir.file("dirlink.gif"))), 0);
    ASSERT_EQ(::mkfifo(qPrintable(dir.file("pipe.jpg")), 0600), 0);
    SlideshowState s;
    build(dir.path() + "/", s);
    EXPECT_EQ(TextOf(listed(s)), TextOf(QStringList({"UPPER.JPG", "link.bmp", "plain.jpg"})));
}

TEST(ImageListBuilderTest, EmptyMissingAndNonFolderGiveEmptyList)
{
    ScratchFolder empty, other;
    touch(other, {"file.jpg"});
    const struct { QString folder; bool listed; } cases[] = {
        {empty.path() + "/", true}, {empty.path() + "/no/such/folder/", false}, {other.file("file.jpg") + "/", false}};
    for (const auto &c : cases) {
        SlideshowState s;
        s.ImageCount = 7;
        const auto r = build(c.folder, s);
        EXPECT_TRUE(r.finished) << TextOf(c.folder);
        EXPECT_EQ(r.folderListed, c.listed) << TextOf(c.folder);
        EXPECT_EQ(s.ImageCount, 0);
    }
}

TEST(ImageListBuilderTest, FolderWithoutTrailingSlashAndPatternCharactersIsTakenLiterally)
{
    ScratchFolder dir;
    touch(dir, {"a[1]*?/in.jpg", "a1/out.jpg", "outside.jpg"});
    SlideshowState s;
    build(dir.file("a[1]*?"), s);  // no trailing "/": still the folder itself
    EXPECT_EQ(TextOf(listed(s)), TextOf(QStringList({"in.jpg"})));
}

TEST(ImageListBuilderTest, SecondPreparationWithFewerFilesKeepsTheOldTail)
{
    ScratchFolder first;
    touch(first, {"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    ScratchFolder second;
    touch(second, {"z.gif"});
    SlideshowState s;
    build(first.path() + "/", s);
    ASSERT_EQ(s.ImageCount, 4);
    build(second.path() + "/", s);
    EXPECT_EQ(s.ImageCount, 1);
    EXPECT_EQ(TextOf(s.ImageList[1]), "z.gif");
    EXPECT_TRUE(s.ImageList[2].isEmpty());  // the end of the new list
    EXPECT_EQ(TextOf(s.ImageList[3]), "c.jpg");     // left over, never read
    EXPECT_EQ(TextOf(s.ImageList[4]), "d.jpg");
}

TEST(ImageListBuilderTest, KeepsTheFirst3000InSortOrder)
{
    ScratchFolder dir;
    QStringList all;
    for (int i = 0; i < 3010; ++i)
        all << QStringLiteral("p%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
    // Reverse creation order, so the directory's own order is not the answer.
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        dir.write(*it, "");
    SlideshowState s;
    const auto r = build(dir.path() + "/", s);
    EXPECT_EQ(r.matching, 3010);
    ASSERT_EQ(s.ImageCount, 3000);
    EXPECT_EQ(TextOf(listed(s)), TextOf(all.mid(0, 3000)));
    EXPECT_TRUE(s.ImageList[3001].isEmpty());
}

TEST(ImageListBuilderTest, LetsEventsThroughAndStopsWhenAsked)
{
    ScratchFolder dir;
    QStringList names;
    for (int i = 0; i < 3 * ImageListBuilder::kEntriesPerChunk; ++i)
        names << QStringLiteral("n%1.gif").arg(i);
    touch(dir, names);

    SlideshowState s;
    int calls = 0;
    auto r = build(dir.path(), s, [&calls] { ++calls; return true; });
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(s.ImageCount, names.size());
    EXPECT_EQ(calls, 4);  // after each of three chunks, and once when sorted

    // Input that ends the show during the scan: the work stops there.
    calls = 0;
    r = build(dir.path(), s, [&calls] { return ++calls < 2; });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(s.ImageCount, 0);

    // ... or after the sort: the finished list is not used either.
    ScratchFolder small;
    touch(small, {"a.jpg"});
    r = build(small.path(), s, [] { return false; });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(s.ImageCount, 0);
}

TEST(ImageListBuilderTest, OrderEqualsTheExchangeSort)
{
    std::mt19937 gen(12345);
    const char16_t alphabet[] = u"aAbBzZ09._-~ \u00e9\u5199\uFF21\U0001F600";
    std::uniform_int_distribution<int> len(0, 6);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(alphabet)) - 2);
    QStringList names;
    for (int i = 0; i < 400; ++i) {
        QString n;
        for (int k = len(gen); k > 0; --k)
            n += QChar(alphabet[pick(gen)]);
        names << n + ".jpg";
    }
    QStringList expected = names;
    exchangeSort(expected);
    QStringList actual = names;
    std::sort(actual.begin(), actual.end(), &ImageListBuilder::ComesBefore);
    EXPECT_EQ(TextOf(actual), TextOf(expected));
}
