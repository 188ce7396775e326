#pragma once

#include "tools/artwork/Canvas.h"

namespace artwork {

// A rectangle in continuous coordinates: pixel (x, y) covers x .. x + 1, y .. y + 1.
struct Box {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;

    Box moved(double dx, double dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
    Box inset(double d) const { return {x0 + d, y0 + d, x1 - d, y1 - d}; }
};

// Share of pixel (x, y) inside the box with corners rounded to radius, 0 .. 1, antialiased.
double coverage(const Box& box, double radius, int x, int y);

// Multiplies every pixel by a factor weighted with the coverage of the box.
void shadeBox(Canvas& canvas, const Box& box, double radius, double factor);
void fillBox(Canvas& canvas, const Box& box, double radius, Rgb colour, double opacity = 1.0);

// A panel pressed into the surface: a darker floor, a shadow along its upper and left inner
// walls, a hair line round it, and the lit lip at its lower and right outer edges.
struct RecessLook {
    double floorShade = 0.9;
    double wallShadow = 0.3;
    double outline = 0.25;
    double lipHighlight = 0.45;
    Rgb highlight{250, 250, 250};
    Rgb outlineColour{0, 0, 0};
};
void recess(Canvas& canvas, const Box& box, double radius, const RecessLook& look);

// A plate standing out of the surface: lit upper and left edges, shaded lower and right edges.
void raise(Canvas& canvas, const Box& box, double radius, double light, double dark);

} // namespace artwork
