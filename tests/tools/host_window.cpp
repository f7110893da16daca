// Stands in for a desktop screen saver's window: a plain grey window at
// "x y width height" whose id it prints. The window goes when the tool is killed.
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display || argc != 5)
        return 2;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), atoi(argv[1]), atoi(argv[2]),
                                              atoi(argv[3]), atoi(argv[4]), 0, 0, 0x808080);
    XMapWindow(display, window);
    XSync(display, False);
    dprintf(STDOUT_FILENO, "0x%lx\n", window);
    pause();
}
