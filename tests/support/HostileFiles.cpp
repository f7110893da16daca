#include "support/HostileFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QtEndian>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / qMax(1, width), y * 255 / qMax(1, height), 128));
    return image;
}

void put16(QByteArray &bytes, int at, quint16 value) { qToLittleEndian(value, bytes.data() + at); }
void put32(QByteArray &bytes, int at, quint32 value) { qToLittleEndian(value, bytes.data() + at); }

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

// LZW data of a one-colour picture with a minimum code size of 2: a clear code
// before every pixel keeps every code 3 bits wide.
QByteArray gifImageData(int pixels, bool validCodes)
{
    QByteArray packed;
    quint32 bits = 0;
    int count = 0;
    auto emit = [&](int code) {
        bits |= quint32(code) << count;
        count += 3;
        while (count >= 8) {
            packed.append(char(bits & 0xff));
            bits >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < pixels; ++i) {
        emit(4);
        // Code 7 names a table entry that does not exist yet right after a clear.
        emit(validCodes || i < 3 ? 1 : 7);
    }
    emit(5);
    if (count > 0)
        packed.append(char(bits & 0xff));

    QByteArray data(1, char(2));
    for (int at = 0; at < packed.size(); at += 255) {
        const QByteArray block = packed.mid(at, 255);
        data.append(char(block.size()));
        data.append(block);
    }
    data.append(char(0));
    return data;
}

QByteArray gifFile(int width, int height, int frames, bool validCodes, int claimedWidth = 0, int claimedHeight = 0)
{
    QByteArray gif("GIF89a");
    QByteArray screen(7, '\0');
    put16(screen, 0, quint16(claimedWidth ? claimedWidth : width));
    put16(screen, 2, quint16(claimedHeight ? claimedHeight : height));
    screen[4] = char(0x81);   // global table of 4 colours
    gif += screen;
    gif += QByteArray::fromHex("000000" "ff2020" "20a0ff" "ffffff");
    if (frames > 1)
        gif += QByteArray::fromHex("21ff0b") + "NETSCAPE2.0" + QByteArray::fromHex("03010000" "00");
    for (int f = 0; f < frames; ++f) {
        if (frames > 1)
            gif += QByteArray::fromHex("21f904" "000a00" "00" "00");
        QByteArray descriptor(10, '\0');
        descriptor[0] = ',';
        put16(descriptor, 5, quint16(claimedWidth ? claimedWidth : width));
        put16(descriptor, 7, quint16(claimedHeight ? claimedHeight : height));
        gif += descriptor;
        gif += gifImageData(width * height, validCodes);
    }
    gif += ';';
    return gif;
}

// A JPEG with an APP1 block right after the start marker.
QByteArray withExif(const QByteArray &jpeg, const QByteArray &exifBody)
{
    QByteArray segment = QByteArray::fromHex("ffe1");
    const int length = int(exifBody.size()) + 2;
    segment.append(char(length >> 8));
    segment.append(char(length & 0xff));
    segment += exifBody;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// Sets the size in the JPEG's frame header.
QByteArray withFrameSize(QByteArray jpeg, quint16 width, quint16 height)
{
    for (int i = 2; i + 9 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xff && (uchar(jpeg[i + 1]) == 0xc0 || uchar(jpeg[i + 1]) == 0xc2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xff);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xff);
            break;
        }
    }
    return jpeg;
}

// BMP header fields.
constexpr int kWidthAt = 18, kHeightAt = 22, kBitsAt = 28, kCompressionAt = 30, kColoursUsedAt = 46;

}

QByteArray HostileFiles::Jpeg(int width, int height) { return encoded(pattern(width, height), "JPEG"); }

QByteArray HostileFiles::Bmp(int width, int height, int bitsPerPixel)
{
    QImage image = pattern(width, height);
    if (bitsPerPixel == 8)
        image = image.convertToFormat(QImage::Format_Indexed8);
    return encoded(image, "BMP");
}

QByteArray HostileFiles::Gif(int width, int height, bool animated)
{
    return gifFile(width, height, animated ? 2 : 1, true);
}

QList<HostileFile> HostileFiles::Pictures()
{
    QList<HostileFile> files;
    auto good = [&](const QString &name, const QByteArray &bytes) { files.append({name, bytes, HostileFile::Shows}); };
    auto bad = [&](const QString &name, const QByteArray &bytes) { files.append({name, bytes, HostileFile::Refused}); };
    auto damaged = [&](const QString &name, const QByteArray &bytes) { files.append({name, bytes, HostileFile::Either}); };

    const QByteArray jpeg = Jpeg(64, 48);
    const QByteArray gif = Gif(24, 16);
    const QByteArray bmp = Bmp(40, 30);
    const QByteArray bmp8 = Bmp(20, 10, 8);

    good("good-photo.jpg", jpeg);
    good("good-anim.gif", Gif(30, 20, true));
    good("good-still.GIF", gif);
    good("good-paletted.bmp", bmp8);
    good("good-really-a-bmp.jpg", bmp);       // renamed to another picture extension
    good("good-really-a-jpeg.gif", jpeg);
    good(QStringLiteral("写真 夏の海.jpeg"), Jpeg(50, 50));
    good(QStringLiteral("  blanks  around .BMP"), Bmp(12, 12));
    // A trailing dot makes the name no picture name: it is never listed (the
    // content, a good JPEG, would load).
    damaged(QStringLiteral("trailing dot.jpg."), jpeg);

    bad("zero-bytes.jpg", QByteArray());
    bad("zero-bytes.gif", QByteArray());
    bad("zero-bytes.bmp", QByteArray());
    bad("text.jpg", "This is not a picture.\r\nJust some text.\r\n");
    bad("text.bmp", "BM but then only text follows here");
    bad("random.jpg", randomBytes(4096, 1));
    bad("random.gif", randomBytes(777, 2));
    bad("random.bmp", randomBytes(3000, 3));
    damaged("random-with-jpeg-start.jpg", QByteArray::fromHex("ffd8ffe0") + randomBytes(2000, 4));

    for (const int percent : {1, 10, 50, 90}) {
        const QString cut = QString::number(percent);
        damaged("cut-" + cut + ".jpg", jpeg.left(jpeg.size() * percent / 100));
        damaged("cut-" + cut + ".gif", gif.left(gif.size() * percent / 100));
        damaged("cut-" + cut + ".bmp", bmp.left(bmp.size() * percent / 100));
    }

    bad("huge-65535.jpg", withFrameSize(jpeg, 65535, 65535));
    bad("huge-65535.gif", gifFile(4, 4, 1, true, 65535, 65535));
    QByteArray hugeBmp = bmp;
    put32(hugeBmp, kWidthAt, 65535);
    put32(hugeBmp, kHeightAt, 65535);
    bad("huge-65535.bmp", hugeBmp);
    QByteArray widerBmp = bmp;
    put32(widerBmp, kWidthAt, 0x7fffffff);
    bad("huge-width.bmp", widerBmp);

    QByteArray negativeHeight = bmp;
    put32(negativeHeight, kHeightAt, quint32(-2147483647 - 1));
    bad("height-most-negative.bmp", negativeHeight);
    QByteArray hugeHeight = bmp;
    put32(hugeHeight, kHeightAt, 0x7fffffff);
    bad("height-huge.bmp", hugeHeight);
    QByteArray tallNegative = bmp;
    put32(tallNegative, kHeightAt, quint32(-100000));
    damaged("height-negative-past-end.bmp", tallNegative);

    QByteArray palette = bmp8;
    put32(palette, kColoursUsedAt, 0x00ffffff);
    bad("palette-past-end.bmp", palette);
    QByteArray palette256 = bmp8.left(54 + 4 * 100);   // palette cut after 100 entries
    damaged("palette-cut.bmp", palette256);

    QByteArray compression = bmp;
    put32(compression, kCompressionAt, 99);
    bad("compression-99.bmp", compression);
    QByteArray rle = bmp;   // RLE8 claimed for 24-bit data
    put32(rle, kCompressionAt, 1);
    bad("compression-rle-on-24-bit.bmp", rle);
    QByteArray bitfields = bmp8;
    put32(bitfields, kCompressionAt, 3);
    bad("compression-bitfields-on-8-bit.bmp", bitfields);
    QByteArray zeroBits = bmp;
    put16(zeroBits, kBitsAt, 0);
    bad("zero-bits-per-pixel.bmp", zeroBits);

    damaged("bad-lzw.gif", gifFile(16, 16, 1, false));

    // EXIF that points past its own end, with an IFD that claims 65535 entries.
    QByteArray exif("Exif\0\0", 6);
    exif += QByteArray::fromHex("49492a00" "08000000" "ffff" "1201" "0300" "01000000" "ffff0000");
    good("broken-exif.jpg", withExif(jpeg, exif));
    QByteArray exifCut("Exif\0\0", 6);
    exifCut += QByteArray::fromHex("4d4d002a" "7fffffff");
    good("broken-exif-offset.jpg", withExif(jpeg, exifCut));
    return files;
}

QList<HostileFile> HostileFiles::SettingsFiles()
{
    QList<HostileFile> files;
    auto add = [&](const char *name, const QByteArray &bytes) { files.append({QString::fromLatin1(name), bytes, HostileFile::Refused}); };
    add("empty", QByteArray());
    add("one-line", "/nowhere/");
    add("binary", randomBytes(512, 7));
    add("nul-byte", QByteArray("/tmp/\0abc\r\nFILE_NAME\r\n 2 \r\n 5 \r\n 3 \r\n", 37));
    add("ten-megabyte-line", QByteArray(10 * 1024 * 1024, 'x') + "\r\nRANDOM\r\n 3 \r\n");
    add("cr-only", "/tmp/\rFILE_NAME\r 2 \r 7 \r 4 \rS1\rS2\rS3\rS4\rS5\r");
    add("lf-only", "/tmp/\nFILE_NAME\n 2 \n 7 \n 4 \nS1\nS2\nS3\nS4\nS5\n");
    add("invalid-cp932", QByteArray::fromHex("83ff8180a0fdfeff") + "\r\nFILE_NAME\r\n\x82\r\n");
    add("utf8-with-mark", QByteArray("\xEF\xBB\xBF/tmp/写真/\r\nRANDOM\r\n 2 \r\n 3 \r\n 4 \r\n"));
    add("utf8-without-mark", QByteArray("/tmp/写真/\r\nFILE_NAME\r\n 3 \r\n 4 \r\n 5 \r\n"));
    add("number-1e309", "/tmp/\r\nFILE_NAME\r\n1e309\r\n1e309\r\n1e309\r\n");
    add("number-minus-zero", "/tmp/\r\nFILE_NAME\r\n-0\r\n-0\r\n-0\r\n");
    add("number-99999999999", "/tmp/\r\nFILE_NAME\r\n99999999999\r\n99999999999\r\n-99999999999\r\n");
    add("number-hex", "/tmp/\r\nFILE_NAME\r\n0x10\r\n0x10\r\n0x10\r\n");
    add("number-nan", "/tmp/\r\nFILE_NAME\r\nnan\r\nNaN\r\n-nan\r\n");
    return files;
}

bool HostileFiles::WriteAll(const QString &folder, const QList<HostileFile> &files)
{
    for (const HostileFile &f : files) {
        QFile file(folder + QLatin1Char('/') + f.name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(f.bytes) != f.bytes.size())
            return false;
    }
    return true;
}
