#include "resources/IconEncoder.h"
#include "resources/XpmImage.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include "resources/vistello.xpm"

namespace {

QImage decode(const std::vector<std::uint8_t> &data, const char *format)
{
    QImage image;
    image.loadFromData(QByteArray(reinterpret_cast<const char *>(data.data()), static_cast<qsizetype>(data.size())),
                       format);
    return image.convertToFormat(QImage::Format_ARGB32);
}

void expectSamePixels(const XpmImage &source, const QImage &decoded)
{
    ASSERT_EQ(decoded.size(), QSize(source.width(), source.height()));
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const std::uint32_t want = source.pixel(x, y);
            const QRgb got = decoded.pixel(x, y);
            if ((want >> 24) == 0)
                ASSERT_EQ(qAlpha(got), 0) << x << "," << y;
            else
                ASSERT_EQ(got, want) << x << "," << y;
        }
    }
}

XpmImage programIcon()
{
    return XpmImage::parse(vistello_xpm, sizeof vistello_xpm / sizeof *vistello_xpm);
}

// 20 colours (so the .ico needs 8 bits per pixel), one transparent, an odd width.
XpmImage manyColours()
{
    static std::vector<std::string> text;
    if (text.empty()) {
        text.push_back("21 3 20 1");
        const std::string keys = "abcdefghijklmnopqrs.";
        for (int i = 0; i < 19; ++i) {
            char colour[8];
            std::snprintf(colour, sizeof colour, "#%02X%02X%02X", i * 13, 255 - i * 7, i * 5);
            text.push_back(std::string(1, keys[static_cast<std::size_t>(i)]) + " c " + colour);
        }
        text.push_back(". c None");
        for (int y = 0; y < 3; ++y) {
            std::string row;
            for (int x = 0; x < 21; ++x)
                row += keys[static_cast<std::size_t>((x + y * 7) % 20)];
            text.push_back(row);
        }
    }
    std::vector<const char *> lines;
    for (const std::string &line : text)
        lines.push_back(line.c_str());
    return XpmImage::parse(lines.data(), lines.size());
}

TEST(IconEncoder, PngOfTheProgramIconDecodesToTheSamePixels)
{
    const XpmImage icon = programIcon();
    const auto png = IconEncoder::png(icon);
    expectSamePixels(icon, decode(png, "PNG"));
    const XpmImage other = manyColours();
    ASSERT_FALSE(other.isNull());
    expectSamePixels(other, decode(IconEncoder::png(other), "PNG"));
}

TEST(IconEncoder, IcoDecodesToTheSamePixelsAtFourAndEightBits)
{
    if (!QImageReader::supportedImageFormats().contains("ico"))
        GTEST_SKIP() << "Qt's ico image plugin is not installed";
    const XpmImage icon = programIcon();
    const auto ico = IconEncoder::ico(icon);
    ASSERT_GT(ico.size(), 22u);
    EXPECT_EQ(ico[6], 32);                   // width in the directory entry
    EXPECT_EQ(ico[8], 16);                   // colour count: a 16-colour icon
    EXPECT_EQ(ico[6 + 16 + 14], 4);          // bits per pixel in the bitmap header
    expectSamePixels(icon, decode(ico, "ICO"));

    const XpmImage other = manyColours();
    const auto ico8 = IconEncoder::ico(other);
    ASSERT_GT(ico8.size(), 22u);
    EXPECT_EQ(ico8[6 + 16 + 14], 8);
    expectSamePixels(other, decode(ico8, "ICO"));
}

TEST(IconEncoder, NullOrOversizedImagesGiveNoFile)
{
    EXPECT_TRUE(IconEncoder::png(XpmImage()).empty());
    EXPECT_TRUE(IconEncoder::ico(XpmImage()).empty());
    static const std::string row(300, 'a');
    const char *const lines[] = {"300 1 1 1", "a c #000000", row.c_str()};
    const XpmImage wide = XpmImage::parse(lines, 3);
    ASSERT_FALSE(wide.isNull());
    EXPECT_TRUE(IconEncoder::ico(wide).empty());
    EXPECT_FALSE(IconEncoder::png(wide).empty());
}

TEST(IconEncoder, Crc32MatchesTheStandardCheckValue)
{
    const std::string text = "123456789";
    EXPECT_EQ(IconEncoder::crc32(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()), 0xCBF43926u);
}

}
