// Prints "visible" or "hidden": whether the pointer's current cursor image has
// any pixel that is not fully transparent. Screenshots never include the pointer,
// so the end-to-end tests ask the X server's XFixes extension instead.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <cstdio>

int main()
{
    int eventBase = 0, errorBase = 0;
    Display *display = XOpenDisplay(nullptr);
    XFixesCursorImage *image =
        display && XFixesQueryExtension(display, &eventBase, &errorBase) ? XFixesGetCursorImage(display) : nullptr;
    if (!image) {
        std::fprintf(stderr, "no display, no XFixes or no cursor image\n");
        return 2;
    }
    bool visible = false;
    const unsigned long count = static_cast<unsigned long>(image->width) * image->height;
    for (unsigned long i = 0; i < count && !visible; ++i)
        visible = ((image->pixels[i] >> 24) & 0xff) != 0;
    std::printf("%s\n", visible ? "visible" : "hidden");
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
