#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class XpmImage;

// Writes a colour-indexed picture as the icon files the installs need: a PNG
// for the desktop's icon theme and a Windows .ico for the program resource.
// Plain C++ without Qt or zlib (the PNG data is stored uncompressed, which for
// a 32 x 32 icon costs about a kilobyte), so the build-time tool runs anywhere.
class IconEncoder {
public:
    // Indexed-colour PNG, 8 bits per pixel, with a transparency chunk when the
    // palette has transparent entries. Empty for a null image.
    static std::vector<std::uint8_t> png(const XpmImage &image);

    // Single-image .ico holding a bottom-up bitmap of 4 bits per pixel (up to 16
    // colours) or 8 bits per pixel, with its transparency mask. Empty for a null
    // image or one larger than 256 pixels either way.
    static std::vector<std::uint8_t> ico(const XpmImage &image);

    static std::uint32_t crc32(const std::uint8_t *data, std::size_t size, std::uint32_t crc = 0);
};
