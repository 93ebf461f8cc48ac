// One image being drawn: a Cairo ARGB32 surface with its context, and the
// few drawing steps the skin art is made of.
#pragma once

#include "colour.h"

#include <cairo.h>

#include <string>

class Painter {
public:
    // A width x height image in layout pixels, drawn at density image
    // pixels per layout pixel; every drawing step speaks layout pixels.
    Painter(int width, int height, int density = 1);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    cairo_t* cr() const { return context; }

    void source(Colour c) const;
    // A vertical gradient from top at y0 to bottom at y1 as the source.
    void gradient(double y0, double y1, Colour top, Colour bottom) const;
    // A rectangle with corners of radius r as the current path.
    void roundRect(double x, double y, double w, double h, double r) const;
    void fillRect(double x, double y, double w, double h, Colour c) const;
    void fillRound(double x, double y, double w, double h, double r, Colour c) const;

    // Pixel-exact text with its top-left at (x, y): bold sets each glyph
    // pixel twice, side by side; spacing widens the gaps between cells.
    void text(const std::string& s, int x, int y, Colour c, bool bold = false, int spacing = 0) const;
    // The same, centred on the pixel column cx.
    void centred(const std::string& s, int cx, int y, Colour c, bool bold = false, int spacing = 0) const;
    // Larger lettering: the glyph pixels on a grid of pixel units, drawn as
    // round dots joined by strokes pen wide.
    void lettering(const std::string& s, double x, double y, double pixel, double pen, Colour c) const;

    // Adds a fixed pattern of fine grain, up to amount levels either way, to
    // the opaque pixels.
    void grain(int amount, unsigned seed) const;

    // As PNG; false when the file cannot be written.
    bool save(const std::string& path) const;

private:
    cairo_surface_t* surface;
    cairo_t* context;
};
