#include "platform/PictureLoader.h"
#include "support/ScratchFolder.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
QByteArray le16(int v) { QByteArray b(2, 0); qToLittleEndian<quint16>(quint16(v), b.data()); return b; }
QByteArray le32(qint64 v) { QByteArray b(4, 0); qToLittleEndian<quint32>(quint32(v), b.data()); return b; }

// An uncompressed BMP of the given depth, left two columns red, the rest blue.
QByteArray bmp(int bits, int width = 5, int height = 3)
{
    QByteArray palette;
    if (bits <= 8) {
        palette += QByteArray("\x00\x00\xff\x00", 4);  // 0: red (BGRX)
        palette += QByteArray("\xff\x00\x00\x00", 4);  // 1: blue
        palette += QByteArray((1 << bits) * 4 - 8, 0);
    }
    const int rowBytes = ((width * bits + 31) / 32) * 4;
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        QByteArray row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const bool red = x < 2;
            switch (bits) {
            case 1: if (!red) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8))); break;
            case 4: if (!red) row[x / 2] = char(row[x / 2] | (x % 2 ? 0x01 : 0x10)); break;
            case 8: row[x] = red ? 0 : 1; break;
            case 16: row.replace(x * 2, 2, le16(red ? 0x7C00 : 0x001F)); break;
            case 24: row.replace(x * 3, 3, red ? QByteArray("\x00\x00\xff", 3) : QByteArray("\xff\x00\x00", 3)); break;
            case 32: row.replace(x * 4, 4, red ? QByteArray("\x00\x00\xff\x00", 4) : QByteArray("\xff\x00\x00\x00", 4)); break;
            }
        }
        pixels += row;
    }
    const int offset = 14 + 40 + palette.size();
    QByteArray out = "BM" + le32(offset + pixels.size()) + le32(0) + le32(offset);
    out += le32(40) + le32(width) + le32(height) + le16(1) + le16(bits) + le32(0) + le32(pixels.size())
           + le32(2835) + le32(2835) + le32(0) + le32(0);
    return out + palette + pixels;
}

QByteArray jpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

// Top half red, bottom half blue, with a fine pattern of noise that keeps the
// compressed data much larger than the JPEG's header.
QImage twoBands(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    quint32 noise = 1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = int(noise >> 28);  // 0 to 15
            image.setPixel(x, y, y < h / 2 ? qRgb(240 + n, n, n) : qRgb(n, n, 240 + n));
        }
    }
    return image;
}

// The same JPEG with its frame header claiming another size.
QByteArray withClaimedSize(QByteArray bytes, int w, int h)
{
    const int sof = int(bytes.indexOf("\xff\xc0"));
    bytes[sof + 5] = char(h >> 8);
    bytes[sof + 6] = char(h & 0xff);
    bytes[sof + 7] = char(w >> 8);
    bytes[sof + 8] = char(w & 0xff);
    return bytes;
}

// An EXIF block with only the orientation tag, placed after the start marker.
QByteArray withOrientation(const QByteArray &bytes, int orientation)
{
    QByteArray exif("\xff\xe1\x00\x22" "Exif\0\0" "MM\x00\x2a\x00\x00\x00\x08" "\x00\x01"
                    "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00" "\x00\x00\x00\x00", 36);
    exif[29] = char(orientation);
    return bytes.left(2) + exif + bytes.mid(2);
}

bool near(QRgb c, QColor want, int tolerance = 40)
{
    return std::abs(qRed(c) - want.red()) <= tolerance && std::abs(qGreen(c) - want.green()) <= tolerance
           && std::abs(qBlue(c) - want.blue()) <= tolerance;
}

// Two frames of 4 x 3 pixels: red, then blue.
const QByteArray kAnimatedGif = QByteArray::fromHex(
    "47494638396104000300f00000ff000000000021f904000000000021ff0b4e45545343415045322e3003010000002c00"
    "00000004000300000203848f560021f90400000000002c0000000004000300800000ff0000000203848f56003b");
}

TEST(PictureLoaderTest, BmpOfEveryCommonDepth)
{
    ScratchFolder dir;
    PictureLoader loader;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const QString name = QStringLiteral("d%1.bmp").arg(bits);
        dir.write(name, bmp(bits));
        const LoadedPicture p = loader.Load(dir.file(name));
        ASSERT_TRUE(p.ok()) << bits << " " << qPrintable(p.error);
        EXPECT_EQ(p.image.size(), QSize(5, 3)) << bits;
        EXPECT_TRUE(near(p.image.pixel(0, 0), Qt::red, 8)) << bits;
        EXPECT_TRUE(near(p.image.pixel(4, 2), Qt::blue, 8)) << bits;
        EXPECT_TRUE(p.error.isEmpty());
    }
}

TEST(PictureLoaderTest, JpegAndTheFirstFrameOfAGifWithTheFormatTakenFromTheContent)
{
    ScratchFolder dir;
    dir.write("photo.jpg", jpeg(twoBands(64, 48)));
    dir.write("anim.gif", kAnimatedGif);
    dir.write("really-a-jpeg.gif", jpeg(twoBands(16, 16)));
    dir.write("really-a-bmp.JPG", bmp(24));
    dir.write("really-a-gif.bmp", kAnimatedGif);
    PictureLoader loader;
    const LoadedPicture photo = loader.Load(dir.file("photo.jpg"));
    ASSERT_TRUE(photo.ok()) << qPrintable(photo.error);
    EXPECT_EQ(photo.image.size(), QSize(64, 48));
    EXPECT_TRUE(near(photo.image.pixel(32, 5), Qt::red));
    EXPECT_TRUE(near(photo.image.pixel(32, 42), Qt::blue));

    const LoadedPicture gif = loader.Load(dir.file("anim.gif"));
    ASSERT_TRUE(gif.ok()) << qPrintable(gif.error);
    EXPECT_EQ(gif.image.size(), QSize(4, 3));
    EXPECT_TRUE(near(gif.image.pixel(1, 1), Qt::red, 0));

    EXPECT_EQ(loader.Load(dir.file("really-a-jpeg.gif")).image.size(), QSize(16, 16));
    EXPECT_EQ(loader.Load(dir.file("really-a-bmp.JPG")).image.size(), QSize(5, 3));
    EXPECT_EQ(loader.Load(dir.file("really-a-gif.bmp")).image.size(), QSize(4, 3));
}

TEST(PictureLoaderTest, ExifOrientationStandsThePhotoUpright)
{
    ScratchFolder dir;
    dir.write("turned.jpg", withOrientation(jpeg(twoBands(40, 20)), 6));  // 90 degrees clockwise
    PictureLoader loader;
    const LoadedPicture p = loader.Load(dir.file("turned.jpg"));
    ASSERT_TRUE(p.ok()) << qPrintable(p.error);
    EXPECT_EQ(p.image.size(), QSize(20, 40));
    // The red top band is now on the right.
    EXPECT_TRUE(near(p.image.pixel(17, 20), Qt::red));
    EXPECT_TRUE(near(p.image.pixel(2, 20), Qt::blue));
}

TEST(PictureLoaderTest, TruncatedJpegShowsWhatDecodedAndGreyBelow)
{
    ScratchFolder dir;
    const QByteArray whole = jpeg(twoBands(256, 256));
    dir.write("half.jpg", whole.left(whole.size() / 4));
    PictureLoader loader;
    const LoadedPicture p = loader.Load(dir.file("half.jpg"));
    ASSERT_TRUE(p.ok()) << qPrintable(p.error);
    EXPECT_EQ(p.image.size(), QSize(256, 256));
    EXPECT_TRUE(near(p.image.pixel(128, 4), Qt::red));
    EXPECT_TRUE(near(p.image.pixel(128, 250), QColor(128, 128, 128), 2));
}

TEST(PictureLoaderTest, WhatIsNoPictureFailsWithAReason)
{
    ScratchFolder dir;
    dir.write("empty.jpg", "");
    dir.write("text.jpg", "just some text, not a picture\n");
    dir.write("header-only.jpg", jpeg(twoBands(64, 64)).left(20));
    dir.write("bad.bmp", bmp(24).left(30));
    QDir(dir.path()).mkdir("folder.jpg");
    PictureLoader loader;
    for (const char *name : {"empty.jpg", "text.jpg", "header-only.jpg", "bad.bmp", "folder.jpg", "deleted.jpg"}) {
        const LoadedPicture p = loader.Load(dir.file(QString::fromLatin1(name)));
        EXPECT_FALSE(p.ok()) << name;
        EXPECT_FALSE(p.error.isEmpty()) << name;
    }
}

TEST(PictureLoaderTest, HeaderClaimingTooMuchIsRefusedWithoutDecodingButAHundredMegapixelsLoad)
{
    ScratchFolder dir;
    dir.write("huge.jpg", withClaimedSize(jpeg(twoBands(16, 16)), 65000, 65000));
    // 30000 x 30000 at 32 bits: 3.6 GB claimed by a file of a few bytes.
    QByteArray header = bmp(32, 1, 1);
    header.replace(18, 8, le32(30000) + le32(30000));
    dir.write("huge.bmp", header);
    // 12000 x 9000 decodes to 432 MB, which Qt's default limit of 128 MB would refuse.
    dir.write("big.jpg", withClaimedSize(jpeg(twoBands(16, 16)), 12000, 9000));
    PictureLoader loader;
    QElapsedTimer clock;
    clock.start();
    const LoadedPicture jpg = loader.Load(dir.file("huge.jpg"));
    EXPECT_FALSE(jpg.ok());
    EXPECT_TRUE(jpg.error.contains("65000 x 65000")) << qPrintable(jpg.error);
    const LoadedPicture bmp = loader.Load(dir.file("huge.bmp"));
    EXPECT_FALSE(bmp.ok());
    EXPECT_FALSE(bmp.error.isEmpty());
    EXPECT_LT(clock.elapsed(), 2000);

    const LoadedPicture big = loader.Load(dir.file("big.jpg"));
    ASSERT_TRUE(big.ok()) << qPrintable(big.error);
    EXPECT_EQ(big.image.size(), QSize(12000, 9000));
}

TEST(PictureLoaderTest, TheProjectsSamplePicturesLoad)
{
    const QDir samples(QStringLiteral(VISTELLO_SOURCE_DIR "/resources/samples"));
    const QStringList names = samples.entryList({"*.jpg", "*.gif", "*.bmp"}, QDir::Files);
    EXPECT_GE(names.size(), 6);
    PictureLoader loader;
    for (const QString &name : names) {
        const LoadedPicture p = loader.Load(samples.filePath(name));
        EXPECT_TRUE(p.ok()) << qPrintable(name) << ": " << qPrintable(p.error);
        EXPECT_GE(p.image.width(), 320) << qPrintable(name);
    }
}
