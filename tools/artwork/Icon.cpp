// Icon: the dot sphere is tilted towards the viewer and lit by depth, so even
// at 48 pixels its latitude rings read as a sphere; the back dots go first so
// the front ones cover them.
#include "tools/artwork/Icon.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

constexpr double canvasSize = 256.0;  // drawing units; every output scales from here
constexpr double sphereRadius = 84.0;
constexpr int ringCount = 7;          // latitude rings between the poles
constexpr int pointsPerRing = 18;
constexpr double tiltDegrees = -70.0; // about the x axis: the north pole up and towards the viewer
constexpr double spinDegrees = 11.0;  // about the sphere's own axis

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

struct Dot {
    double x, y, depth;  // depth: -1 at the back, +1 at the front
};

std::vector<std::vector<Dot>> sphereRings() {
    const double tilt = tiltDegrees * M_PI / 180.0;
    const double spin = spinDegrees * M_PI / 180.0;
    std::vector<std::vector<Dot>> rings;
    for (int ring = 1; ring <= ringCount; ++ring) {
        const double phi = M_PI * ring / (ringCount + 1);
        std::vector<Dot> dots;
        for (int k = 0; k < pointsPerRing; ++k) {
            const double theta = spin + 2.0 * M_PI * k / pointsPerRing;
            const double x = std::cos(theta) * std::sin(phi);
            const double y = std::sin(theta) * std::sin(phi);
            const double z = std::cos(phi);
            // Rotated about x; screen y grows downwards.
            const double screenY = y * std::cos(tilt) - z * std::sin(tilt);
            const double depth = y * std::sin(tilt) + z * std::cos(tilt);
            dots.push_back({canvasSize / 2 + sphereRadius * x, canvasSize / 2 - sphereRadius * screenY,
                            depth});
        }
        rings.push_back(dots);
    }
    return rings;
}

void roundedSquare(cairo_t* cr, double inset, double corner) {
    const double low = inset, high = canvasSize - inset;
    cairo_new_sub_path(cr);
    cairo_arc(cr, high - corner, low + corner, corner, -M_PI / 2, 0);
    cairo_arc(cr, high - corner, high - corner, corner, 0, M_PI / 2);
    cairo_arc(cr, low + corner, high - corner, corner, M_PI / 2, M_PI);
    cairo_arc(cr, low + corner, low + corner, corner, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// The banner's night-violet ground and lilac frame, with a glow behind the sphere.
void drawGround(cairo_t* cr) {
    roundedSquare(cr, 8.0, 36.0);
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, 0, 0, canvasSize);
    cairo_pattern_add_color_stop_rgb(ground, 0.0, 0.09, 0.04, 0.20);
    cairo_pattern_add_color_stop_rgb(ground, 1.0, 0.02, 0.01, 0.07);
    cairo_set_source(cr, ground);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(ground);
    cairo_set_line_width(cr, 4.0);
    cairo_set_source_rgba(cr, 0.55, 0.45, 1.0, 0.8);
    cairo_stroke(cr);

    const double centre = canvasSize / 2;
    cairo_pattern_t* glow = cairo_pattern_create_radial(centre, centre, 0, centre, centre, 110.0);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 0.45, 0.35, 1.0, 0.45);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.45, 0.35, 1.0, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, centre, centre, 110.0, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void drawSphere(cairo_t* cr) {
    const auto rings = sphereRings();
    // The wireframe through consecutive points, as the demo draws it.
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 0.70, 0.60, 1.0, 0.35);
    for (const auto& ring : rings) {
        for (const Dot& dot : ring) cairo_line_to(cr, dot.x, dot.y);
        cairo_close_path(cr);
        cairo_new_sub_path(cr);
    }
    cairo_stroke(cr);

    std::vector<Dot> dots;
    for (const auto& ring : rings) dots.insert(dots.end(), ring.begin(), ring.end());
    std::stable_sort(dots.begin(), dots.end(),
                     [](const Dot& a, const Dot& b) { return a.depth < b.depth; });
    for (const Dot& dot : dots) {
        const double near = (dot.depth + 1.0) / 2.0;  // 0 at the back, 1 at the front
        cairo_set_source_rgba(cr, 0.55 + 0.40 * near, 0.45 + 0.50 * near, 1.0, 0.35 + 0.65 * near);
        cairo_arc(cr, dot.x, dot.y, 4.0 + 6.0 * near, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void drawIcon(cairo_t* cr) {
    drawGround(cr);
    drawSphere(cr);
}

void checked(cairo_status_t status, const std::string& path) {
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
    }
}

}  // namespace

void writeIconPng(int size, const std::string& path) {
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size));
    {
        Context cr(cairo_create(surface.get()));
        cairo_scale(cr.get(), size / canvasSize, size / canvasSize);
        drawIcon(cr.get());
        checked(cairo_status(cr.get()), path);
    }
    checked(cairo_surface_write_to_png(surface.get(), path.c_str()), path);
}

void writeIconSvg(const std::string& path) {
    Surface surface(cairo_svg_surface_create(path.c_str(), canvasSize, canvasSize));
    // Pixels, not cairo's default points: the theme's scalable icon is 256 px.
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
    {
        Context cr(cairo_create(surface.get()));
        drawIcon(cr.get());
        checked(cairo_status(cr.get()), path);
    }
    // The document is written when the surface finishes.
    cairo_surface_finish(surface.get());
    checked(cairo_surface_status(surface.get()), path);
}
