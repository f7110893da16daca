#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A colour-indexed picture read from XPM source text (the program icon). Plain
// C++ without Qt, so that the build-time icon tool can use it on every platform.
class XpmImage {
public:
    // Reads the lines of an XPM array ("W H colours chars-per-pixel", the colour
    // lines, the pixel rows). Only "c" colours in "#RRGGBB" form and "None"
    // (transparent) are understood. On failure the result is null and *error,
    // when given, says why.
    static XpmImage parse(const char *const *lines, std::size_t lineCount, std::string *error = nullptr);

    bool isNull() const { return width_ == 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    // 0xAARRGGBB; alpha is 0 for a transparent entry and 0xFF otherwise.
    const std::vector<std::uint32_t> &palette() const { return palette_; }
    std::uint8_t index(int x, int y) const { return indices_[static_cast<std::size_t>(y) * width_ + x]; }
    std::uint32_t pixel(int x, int y) const { return palette_[index(x, y)]; }

    // At most this many colours: indices are single bytes.
    static constexpr std::size_t kMaxColours = 256;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> palette_;
    std::vector<std::uint8_t> indices_;
};
