#include "resources/XpmImage.h"

#include <map>
#include <sstream>

namespace {

bool fail(std::string *error, const std::string &reason)
{
    if (error)
        *error = reason;
    return false;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads "#RRGGBB" or "None" into 0xAARRGGBB.
bool parseColour(const std::string &text, std::uint32_t &colour)
{
    if (text == "None" || text == "none") {
        colour = 0;
        return true;
    }
    if (text.size() != 7 || text[0] != '#')
        return false;
    std::uint32_t rgb = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0)
            return false;
        rgb = rgb * 16 + static_cast<std::uint32_t>(d);
    }
    colour = 0xFF000000u | rgb;
    return true;
}

}

XpmImage XpmImage::parse(const char *const *lines, std::size_t lineCount, std::string *error)
{
    XpmImage image;
    auto bad = [&](const std::string &reason) {
        fail(error, reason);
        return XpmImage();
    };
    if (!lines || lineCount == 0 || !lines[0])
        return bad("no XPM header line");

    int width = 0, height = 0, colours = 0, charsPerPixel = 0;
    {
        std::istringstream header(lines[0]);
        if (!(header >> width >> height >> colours >> charsPerPixel))
            return bad("XPM header is not \"width height colours chars-per-pixel\"");
    }
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return bad("XPM size out of range");
    if (colours <= 0 || static_cast<std::size_t>(colours) > kMaxColours)
        return bad("XPM colour count out of range (1 to 256)");
    if (charsPerPixel <= 0 || charsPerPixel > 2)
        return bad("XPM chars per pixel must be 1 or 2");
    if (lineCount < 1 + static_cast<std::size_t>(colours) + static_cast<std::size_t>(height))
        return bad("XPM has fewer lines than its header announces");

    std::map<std::string, std::uint8_t> keys;
    for (int i = 0; i < colours; ++i) {
        const std::string line = lines[1 + i] ? lines[1 + i] : "";
        if (line.size() < static_cast<std::size_t>(charsPerPixel))
            return bad("XPM colour line " + std::to_string(i + 1) + " is too short");
        const std::string key = line.substr(0, static_cast<std::size_t>(charsPerPixel));
        std::istringstream rest(line.substr(static_cast<std::size_t>(charsPerPixel)));
        std::string kind, value;
        std::uint32_t colour = 0;
        bool found = false;
        while (rest >> kind >> value) {
            if (kind == "c") {
                if (!parseColour(value, colour))
                    return bad("XPM colour \"" + value + "\" is not #RRGGBB or None");
                found = true;
                break;
            }
        }
        if (!found)
            return bad("XPM colour line " + std::to_string(i + 1) + " has no \"c\" colour");
        if (!keys.emplace(key, static_cast<std::uint8_t>(i)).second)
            return bad("XPM colour key \"" + key + "\" appears twice");
        image.palette_.push_back(colour);
    }

    image.indices_.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const char *row = lines[1 + colours + y];
        const std::string text = row ? row : "";
        if (text.size() != static_cast<std::size_t>(width) * charsPerPixel)
            return bad("XPM pixel row " + std::to_string(y + 1) + " has the wrong length");
        for (int x = 0; x < width; ++x) {
            const auto it = keys.find(text.substr(static_cast<std::size_t>(x) * charsPerPixel,
                                                  static_cast<std::size_t>(charsPerPixel)));
            if (it == keys.end())
                return bad("XPM pixel row " + std::to_string(y + 1) + " uses an undefined colour");
            image.indices_.push_back(it->second);
        }
    }
    image.width_ = width;
    image.height_ = height;
    return image;
}
