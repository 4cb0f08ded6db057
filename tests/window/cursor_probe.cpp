// Prints the size of the pointer the X server shows now, "WIDTHxHEIGHT", and succeeds
// when it points with its tip: its hot spot is opaque, and nothing above it is.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    XFixesCursorImage* shown = display ? XFixesGetCursorImage(display) : nullptr;
    if (!shown || shown->xhot >= shown->width || shown->yhot >= shown->height) return 2;
    std::printf("%dx%d\n", shown->width, shown->height);
    const auto opaque = [](unsigned long pixel) { return pixel >> 24 != 0; };
    unsigned long* hot = shown->pixels + shown->yhot * shown->width + shown->xhot;
    return opaque(*hot) && std::none_of(shown->pixels, hot - shown->xhot, opaque) ? 0 : 1;
}
