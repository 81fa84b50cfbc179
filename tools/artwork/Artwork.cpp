// Artwork: the banner and the credits strip, drawn in code so the data files
// can be made again byte for byte. Bright lettering on near-black reads well
// over the final scene's black and under GL_MODULATE with a white colour.
#include "tools/artwork/Artwork.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <memory>
#include <stdexcept>

const char* const artworkFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

namespace {

constexpr int pictureWidth = 512;   // pixels
constexpr int pictureHeight = 128;  // pixels

struct FtLibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct FontFaceDeleter {
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};

// One canvas: the FreeType face outlives the cairo font face that borrows it.
class Canvas {
public:
    explicit Canvas(const std::string& fontPath) {
        FT_Library rawLibrary = nullptr;
        if (FT_Init_FreeType(&rawLibrary) != 0) throw std::runtime_error("FreeType did not start");
        library.reset(rawLibrary);
        if (FT_New_Face(library.get(), fontPath.c_str(), 0, &face) != 0) {
            throw std::runtime_error("cannot load font " + fontPath);
        }
        fontFace.reset(cairo_ft_font_face_create_for_ft_face(face, 0));
        surface.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, pictureWidth, pictureHeight));
        cr.reset(cairo_create(surface.get()));
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo failed");

        // Fixed rendering options: the output must not depend on the desktop's settings.
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(cr.get(), options);
        cairo_font_options_destroy(options);
        cairo_set_font_face(cr.get(), fontFace.get());
    }
    ~Canvas() {
        cr.reset();
        surface.reset();
        fontFace.reset();
        if (face != nullptr) FT_Done_Face(face);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* context() const { return cr.get(); }

    RgbPicture picture() const {
        cairo_surface_flush(surface.get());
        const unsigned char* data = cairo_image_surface_get_data(surface.get());
        const int stride = cairo_image_surface_get_stride(surface.get());
        RgbPicture result;
        result.width = pictureWidth;
        result.height = pictureHeight;
        result.rgb.resize(static_cast<std::size_t>(pictureWidth) * pictureHeight * 3);
        for (int y = 0; y < pictureHeight; ++y) {
            for (int x = 0; x < pictureWidth; ++x) {
                // CAIRO_FORMAT_RGB24 keeps each pixel as a native-endian 0x00RRGGBB word.
                const auto* word = reinterpret_cast<const std::uint32_t*>(data + y * stride) + x;
                std::uint8_t* out = &result.rgb[(static_cast<std::size_t>(y) * pictureWidth + x) * 3];
                out[0] = static_cast<std::uint8_t>(*word >> 16);
                out[1] = static_cast<std::uint8_t>(*word >> 8);
                out[2] = static_cast<std::uint8_t>(*word);
            }
        }
        return result;
    }

private:
    std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter> library;
    FT_Face face = nullptr;
    std::unique_ptr<cairo_font_face_t, FontFaceDeleter> fontFace;
    std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface;
    std::unique_ptr<cairo_t, CairoDeleter> cr;
};

void paintBackground(cairo_t* cr) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, pictureHeight);
    cairo_pattern_add_color_stop_rgb(gradient, 0.0, 0.02, 0.01, 0.07);
    cairo_pattern_add_color_stop_rgb(gradient, 0.55, 0.09, 0.04, 0.20);
    cairo_pattern_add_color_stop_rgb(gradient, 1.0, 0.01, 0.01, 0.04);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);

    // Faint scanlines, the look of the rest of the demo's screens.
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.35);
    for (int y = 1; y < pictureHeight; y += 3) {
        cairo_rectangle(cr, 0, y, pictureWidth, 1);
    }
    cairo_fill(cr);

    cairo_set_line_width(cr, 2.0);
    cairo_set_source_rgb(cr, 0.55, 0.45, 1.0);
    cairo_rectangle(cr, 3, 3, pictureWidth - 6, pictureHeight - 6);
    cairo_stroke(cr);
}

// Glowing lettering: wide translucent strokes under a gradient fill.
void glowText(cairo_t* cr, const char* text, double x, double baseline, double size,
              double r, double g, double b) {
    cairo_set_font_size(cr, size);
    for (double width = 9.0; width >= 3.0; width -= 3.0) {
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, text);
        cairo_set_line_width(cr, width);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(cr, r, g, b, 0.18);
        cairo_stroke(cr);
    }
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, baseline - size, 0, baseline);
    cairo_pattern_add_color_stop_rgb(fill, 0.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(fill, 1.0, r, g, b);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

void plainText(cairo_t* cr, const char* text, double x, double baseline, double size,
               double r, double g, double b) {
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, baseline);
    cairo_set_source_rgb(cr, r, g, b);
    cairo_show_text(cr, text);
}

double textWidth(cairo_t* cr, const char* text, double size) {
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    return extents.x_advance;
}

}  // namespace

RgbPicture drawBanner(const std::string& fontPath) {
    Canvas canvas(fontPath);
    cairo_t* cr = canvas.context();
    paintBackground(cr);

    // A row of dots that grow towards the title, echoing the dot spheres.
    for (int i = 0; i < 12; ++i) {
        const double radius = 1.0 + 0.25 * i;
        cairo_arc(cr, 18.0 + i * 10.0, 22.0, radius, 0.0, 2.0 * M_PI);
    }
    cairo_set_source_rgb(cr, 0.70, 0.55, 1.0);
    cairo_fill(cr);

    const char* title = "VELMORA";
    const double titleSize = 64.0;
    const double titleX = (pictureWidth - textWidth(cr, title, titleSize)) / 2.0;
    glowText(cr, title, titleX, 96.0, titleSize, 0.55, 0.75, 1.0);

    const char* group = "an Orvak production - 2002";
    const double groupSize = 15.0;
    plainText(cr, group, pictureWidth - 14.0 - textWidth(cr, group, groupSize), 118.0, groupSize,
              0.95, 0.75, 1.0);
    plainText(cr, "orvak", 150.0, 27.0, 14.0, 0.95, 0.75, 1.0);
    return canvas.picture();
}

RgbPicture drawCreditsStrip(const std::string& fontPath) {
    Canvas canvas(fontPath);
    cairo_t* cr = canvas.context();
    paintBackground(cr);

    glowText(cr, "CREDITS", 16.0, 40.0, 30.0, 1.0, 0.6, 0.9);

    struct Line {
        const char* role;
        const char* handle;
    };
    const Line lines[] = {{"code", "Nimbrel"}, {"music", "Saltfjord"}, {"graphics", "Kvasi"}};
    double baseline = 70.0;
    for (const Line& line : lines) {
        plainText(cr, line.role, 24.0, baseline, 18.0, 0.65, 0.60, 0.95);
        plainText(cr, line.handle, 150.0, baseline, 20.0, 1.0, 1.0, 1.0);
        baseline += 22.0;
    }

    // A small cube outline in the corner, the last scene's motif.
    cairo_set_line_width(cr, 2.0);
    cairo_set_source_rgb(cr, 0.45, 0.35, 1.0);
    cairo_rectangle(cr, 400.0, 40.0, 50.0, 50.0);
    cairo_move_to(cr, 400.0, 40.0);
    cairo_line_to(cr, 420.0, 22.0);
    cairo_line_to(cr, 470.0, 22.0);
    cairo_line_to(cr, 450.0, 40.0);
    cairo_move_to(cr, 470.0, 22.0);
    cairo_line_to(cr, 470.0, 72.0);
    cairo_line_to(cr, 450.0, 90.0);
    cairo_stroke(cr);
    plainText(cr, "velmora", 398.0, 112.0, 14.0, 0.95, 0.75, 1.0);
    return canvas.picture();
}
