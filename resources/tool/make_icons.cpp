// Build-time tool: writes the program icon as PNG (icon theme) and .ico
// (Windows resource). Usage: make_icons <out.png> [<out.ico>]
#include "resources/IconEncoder.h"
#include "resources/XpmImage.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "resources/vistello.xpm"

namespace {

bool writeFile(const char *path, const std::vector<std::uint8_t> &data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_icons: cannot write %s\n", path);
        return false;
    }
    return true;
}

}

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_icons <out.png> [<out.ico>]\n");
        return 2;
    }
    std::string error;
    const XpmImage image = XpmImage::parse(vistello_xpm, sizeof vistello_xpm / sizeof *vistello_xpm, &error);
    if (image.isNull()) {
        std::fprintf(stderr, "make_icons: %s\n", error.c_str());
        return 1;
    }
    if (!writeFile(argv[1], IconEncoder::png(image)))
        return 1;
    if (argc == 3 && !writeFile(argv[2], IconEncoder::ico(image)))
        return 1;
    return 0;
}
