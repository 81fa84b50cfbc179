// Small X11 probe for the end-to-end scripts: what xdotool cannot do.
//   x11_probe close <window-id>   asks a window to close, as its close box does
//                                 (WM_DELETE_WINDOW), without a window manager
//   x11_probe cursor              prints "hidden" when the cursor shown right
//                                 now is fully transparent, else "visible"
//   x11_probe rows [window-id]    prints runs of screen rows (or of the window's
//                                 rows), "first-last kind": black (all), white
//                                 (most pixels light) or mixed
//   x11_probe extent              prints the box around every pixel on screen
//                                 that is not black, "left top right bottom"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int closeWindow(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    if (XSendEvent(display, window, False, NoEventMask, &event) == 0) return 1;
    XSync(display, False);
    return 0;
}

int reportCursor(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "x11_probe: no XFixes extension\n");
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (image == nullptr) return 2;
    bool anyOpaque = false;
    const long count = static_cast<long>(image->width) * image->height;
    for (long i = 0; i < count; ++i) {
        if (((image->pixels[i] >> 24) & 0xff) != 0) anyOpaque = true;
    }
    std::printf("%s\n", anyOpaque ? "visible" : "hidden");
    XFree(image);
    return 0;
}

// Xvfb's screens here are 24-bit TrueColor: 0xRRGGBB per pixel.
const char* rowKind(XImage* image, int y) {
    int black = 0;
    int white = 0;
    for (int x = 0; x < image->width; ++x) {
        const unsigned long pixel = XGetPixel(image, x, y) & 0xffffff;
        black += pixel == 0 ? 1 : 0;
        white += (pixel & 0xc0c0c0) == 0xc0c0c0 ? 1 : 0;
    }
    return black == image->width ? "black" : 2 * white > image->width ? "white" : "mixed";
}

XImage* windowImage(Display* display, Window window, XWindowAttributes& shown) {
    XGetWindowAttributes(display, window, &shown);
    return XGetImage(display, window, 0, 0, shown.width, shown.height, AllPlanes, ZPixmap);
}

int reportRows(Display* display, Window window) {
    XWindowAttributes shown{};
    XImage* image = windowImage(display, window, shown);
    if (image == nullptr) return 2;
    for (int first = 0, y = 1; y <= shown.height; ++y) {
        if (y == shown.height || std::strcmp(rowKind(image, y), rowKind(image, first)) != 0) {
            std::printf("%d-%d %s\n", first, y - 1, rowKind(image, first));
            first = y;
        }
    }
    XDestroyImage(image);
    return 0;
}

int reportExtent(Display* display) {
    XWindowAttributes root{};
    XImage* image = windowImage(display, DefaultRootWindow(display), root);
    if (image == nullptr) return 2;
    int left = root.width, top = -1, right = -1, bottom = -1;
    for (int y = 0; y < root.height; ++y) {
        for (int x = 0; x < root.width; ++x) {
            if ((XGetPixel(image, x, y) & 0xffffff) == 0) continue;
            left = std::min(left, x), right = std::max(right, x), bottom = y;
            top = top < 0 ? y : top;
        }
    }
    std::printf("%d %d %d %d\n", left, top, right, bottom);
    XDestroyImage(image);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: x11_probe close <window-id> | cursor | rows [window-id] | extent\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x11_probe: cannot open display\n");
        return 2;
    }
    int status = 2;
    if (std::strcmp(argv[1], "close") == 0 && argc == 3) {
        status = closeWindow(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
    } else if (std::strcmp(argv[1], "cursor") == 0) {
        status = reportCursor(display);
    } else if (std::strcmp(argv[1], "rows") == 0) {
        status = reportRows(display, argc == 3 ? static_cast<Window>(std::strtoul(argv[2], nullptr, 0))
                                               : DefaultRootWindow(display));
    } else if (std::strcmp(argv[1], "extent") == 0) {
        status = reportExtent(display);
    }
    XCloseDisplay(display);
    return status;
}
