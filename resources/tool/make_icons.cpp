// Build-time tool: writes the program icon as PNG (icon theme) and .ico
// (Windows resource). Usage: make_icons <out.png> [<out.ico>]
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <cstdio>

#include "resources/vistello.xpm"

int main(int argc, char *argv[])
{
    // The application object makes Qt find its image format plugins (ICO is one).
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_icons <out.png> [<out.ico>]\n");
        return 2;
    }
    const QImage icon(vistello_xpm);
    if (icon.isNull()) {
        std::fprintf(stderr, "make_icons: the icon source cannot be read\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        QImageWriter writer(QString::fromLocal8Bit(argv[i]));
        if (!writer.write(icon)) {
            std::fprintf(stderr, "make_icons: %s: %s\n", argv[i], qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
