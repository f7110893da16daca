#include "resources/XpmImage.h"

#include <QImage>
#include <gtest/gtest.h>

#include "resources/vistello.xpm"

namespace {

template <std::size_t N>
XpmImage parse(const char *const (&lines)[N], std::string *error = nullptr)
{
    return XpmImage::parse(lines, N, error);
}

TEST(XpmImage, ReadsTheProgramIconLikeQtDoes)
{
    const XpmImage icon = parse(vistello_xpm);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width(), 32);
    EXPECT_EQ(icon.height(), 32);
    EXPECT_EQ(icon.palette().size(), 16u);

    const QImage reference = QImage(vistello_xpm).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(reference.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(icon.pixel(x, y), reference.pixel(x, y)) << x << "," << y;
}

TEST(XpmImage, TwoCharacterKeysAndTransparency)
{
    static const char *const lines[] = {"3 2 3 2", "aa c #FF0000", "ab c None", "b. s edge c #00ff00",
                                        "aaabb.", "b.abaa"};
    const XpmImage image = parse(lines);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(1, 0), 0x00000000u);
    EXPECT_EQ(image.pixel(2, 0), 0xFF00FF00u);
    EXPECT_EQ(image.index(0, 1), 2);
}

TEST(XpmImage, MalformedSourcesAreRefusedWithAReason)
{
    struct Case {
        std::vector<const char *> lines;
        const char *reasonPart;
    };
    const std::vector<Case> cases = {
        {{"2 x 1 1", "a c #000000", "aa", "aa"}, "header"},
        {{"0 2 1 1", "a c #000000"}, "size"},
        {{"2 2 300 1"}, "colour count"},
        {{"2 2 1 3", "abc c #000000"}, "chars per pixel"},
        {{"2 2 1 1", "a c #000000", "aa"}, "fewer lines"},
        {{"2 1 1 1", "a c #12345", "aa"}, "#RRGGBB"},
        {{"2 1 1 1", "a m #123456", "aa"}, "no \"c\""},
        {{"2 1 2 1", "a c #000000", "a c #FFFFFF", "aa"}, "twice"},
        {{"2 1 1 1", "a c #000000", "a"}, "wrong length"},
        {{"2 1 1 1", "a c #000000", "ab"}, "undefined colour"},
        {{"2 1 1 1", "a c #000000", nullptr}, "wrong length"},
    };
    for (const Case &c : cases) {
        std::string error;
        const XpmImage image = XpmImage::parse(c.lines.data(), c.lines.size(), &error);
        EXPECT_TRUE(image.isNull()) << c.reasonPart;
        EXPECT_NE(error.find(c.reasonPart), std::string::npos) << error;
    }
    EXPECT_TRUE(XpmImage::parse(nullptr, 0).isNull());
}

}
