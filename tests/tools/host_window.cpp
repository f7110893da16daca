// Stands in for a desktop screen saver's window: a plain grey window at
// "x y width height" whose id it prints; with a fifth argument "input-only", a
// window of that class instead. The window goes when the tool is killed.
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display || argc < 5)
        return 2;
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    const unsigned width = atoi(argv[3]), height = atoi(argv[4]);
    const Window window = argc > 5 && !strcmp(argv[5], "input-only")
        ? XCreateWindow(display, DefaultRootWindow(display), x, y, width, height, 0, 0, InputOnly, CopyFromParent, 0, nullptr)
        : XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, width, height, 0, 0, 0x808080);
    XMapWindow(display, window);
    XSync(display, False);
    dprintf(STDOUT_FILENO, "0x%lx\n", window);
    pause();
}
