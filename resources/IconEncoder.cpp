#include "resources/IconEncoder.h"

#include "resources/XpmImage.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16le(Bytes &out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32le(Bytes &out, std::uint32_t v)
{
    put16le(out, v & 0xFFFF);
    put16le(out, v >> 16);
}

void put32be(Bytes &out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void pngChunk(Bytes &out, const char *type, const Bytes &data)
{
    put32be(out, static_cast<std::uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    put32be(out, IconEncoder::crc32(body.data(), body.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes zlibStored(const Bytes &raw)
{
    Bytes out{0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + n == raw.size();
        out.push_back(last ? 1 : 0);
        put16le(out, static_cast<std::uint32_t>(n));
        put16le(out, static_cast<std::uint32_t>(~n & 0xFFFF));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                   raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32be(out, (b << 16) | a);
    return out;
}

bool hasTransparency(const XpmImage &image)
{
    return std::any_of(image.palette().begin(), image.palette().end(),
                       [](std::uint32_t c) { return (c >> 24) != 0xFF; });
}

}

std::uint32_t IconEncoder::crc32(const std::uint8_t *data, std::size_t size, std::uint32_t crc)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::vector<std::uint8_t> IconEncoder::png(const XpmImage &image)
{
    if (image.isNull())
        return {};
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    Bytes header;
    put32be(header, static_cast<std::uint32_t>(image.width()));
    put32be(header, static_cast<std::uint32_t>(image.height()));
    header.insert(header.end(), {8, 3, 0, 0, 0});   // 8 bits, indexed, deflate, no filter, no interlace
    pngChunk(out, "IHDR", header);

    Bytes palette, alpha;
    for (std::uint32_t c : image.palette()) {
        palette.insert(palette.end(), {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                       static_cast<std::uint8_t>(c)});
        alpha.push_back(static_cast<std::uint8_t>(c >> 24));
    }
    pngChunk(out, "PLTE", palette);
    if (hasTransparency(image))
        pngChunk(out, "tRNS", alpha);

    Bytes raw;
    raw.reserve(static_cast<std::size_t>(image.width() + 1) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        raw.push_back(0);   // filter type "none"
        for (int x = 0; x < image.width(); ++x)
            raw.push_back(image.index(x, y));
    }
    pngChunk(out, "IDAT", zlibStored(raw));
    pngChunk(out, "IEND", {});
    return out;
}

std::vector<std::uint8_t> IconEncoder::ico(const XpmImage &image)
{
    if (image.isNull() || image.width() > 256 || image.height() > 256)
        return {};
    const int w = image.width();
    const int h = image.height();
    const int bits = image.palette().size() <= 16 ? 4 : 8;
    const std::uint32_t colours = 1u << bits;
    const std::size_t colourRow = static_cast<std::size_t>((w * bits + 31) / 32 * 4);
    const std::size_t maskRow = static_cast<std::size_t>((w + 31) / 32 * 4);

    Bytes bitmap;
    put32le(bitmap, 40);                                  // BITMAPINFOHEADER size
    put32le(bitmap, static_cast<std::uint32_t>(w));
    put32le(bitmap, static_cast<std::uint32_t>(h * 2));   // colour rows plus mask rows
    put16le(bitmap, 1);
    put16le(bitmap, static_cast<std::uint32_t>(bits));
    put32le(bitmap, 0);                                   // BI_RGB
    put32le(bitmap, static_cast<std::uint32_t>((colourRow + maskRow) * h));
    put32le(bitmap, 0);
    put32le(bitmap, 0);
    put32le(bitmap, colours);
    put32le(bitmap, 0);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::uint32_t c = i < image.palette().size() ? image.palette()[i] : 0;
        // Transparent entries are drawn black: the mask shows the screen there.
        const std::uint32_t rgb = (c >> 24) == 0xFF ? c : 0;
        bitmap.insert(bitmap.end(), {static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                                     static_cast<std::uint8_t>(rgb >> 16), 0});
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(colourRow, 0);
        for (int x = 0; x < w; ++x) {
            const std::uint8_t index = image.index(x, y);
            if (bits == 8)
                row[static_cast<std::size_t>(x)] = index;
            else
                row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
        }
        bitmap.insert(bitmap.end(), row.begin(), row.end());
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(maskRow, 0);
        for (int x = 0; x < w; ++x) {
            if ((image.pixel(x, y) >> 24) != 0xFF)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        bitmap.insert(bitmap.end(), row.begin(), row.end());
    }

    Bytes out;
    put16le(out, 0);
    put16le(out, 1);   // icon
    put16le(out, 1);   // one image
    out.push_back(static_cast<std::uint8_t>(w == 256 ? 0 : w));
    out.push_back(static_cast<std::uint8_t>(h == 256 ? 0 : h));
    out.push_back(static_cast<std::uint8_t>(bits == 4 ? 16 : 0));
    out.push_back(0);
    put16le(out, 1);                                       // planes
    put16le(out, static_cast<std::uint32_t>(bits));
    put32le(out, static_cast<std::uint32_t>(bitmap.size()));
    put32le(out, 6 + 16);                                  // data follows the one directory entry
    out.insert(out.end(), bitmap.begin(), bitmap.end());
    return out;
}
