// setWindowIcon on Linux: the icon's pixels handed to SDL, which puts them
// on the window as _NET_WM_ICON (X11) or leaves the icon to the desktop
// entry the app id names (Wayland).
#include "shell/WindowIcon.h"

#include <SDL.h>

#include "shell/linux/ProgramIcon.h"

void setWindowIcon(SDL_Window* window) {
    GdkPixbuf* icon = loadProgramIcon();
    if (icon == nullptr) return;
    // The theme's PNGs are 8-bit RGBA, which SDL takes as bytes in memory.
    if (gdk_pixbuf_get_n_channels(icon) == 4 && gdk_pixbuf_get_bits_per_sample(icon) == 8) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
            gdk_pixbuf_get_pixels(icon), gdk_pixbuf_get_width(icon), gdk_pixbuf_get_height(icon), 32,
            gdk_pixbuf_get_rowstride(icon), SDL_PIXELFORMAT_RGBA32);
        if (surface != nullptr) {
            SDL_SetWindowIcon(window, surface);
            SDL_FreeSurface(surface);
        }
    }
    g_object_unref(icon);
}
