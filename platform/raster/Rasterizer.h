// The pixel rules of lines and shapes.
//
// Lines address pixels by their integer coordinates (a one-pixel line from a to b sets the
// pixels a Bresenham walk visits, b excluded); filled areas cover the pixels whose centres
// (x + 0.5, y + 0.5) lie inside the shape, so a rectangle's right and bottom edges stay out.
#pragma once

#include "platform/raster/DeviceContext.h"

#include <vector>

namespace platform::raster {

// Strokes lines with a context's pen: solid or dashed one-pixel lines, or wide lines with round
// ends. A dash pattern runs on across the segments of one stroker.
class PenStroker {
public:
    PenStroker(Canvas& canvas, const DeviceContext& dc);

    bool visible() const { return visible_; }
    // The segment from a to b; b itself is drawn only by wide pens (their round ends).
    void segment(POINT a, POINT b);
    // Only the pixel at p (the last point of an outline that closes on itself).
    void point(POINT p);

private:
    void plotStyled(int x, int y);
    void disc(int x, int y);

    Canvas& canvas_;
    bool visible_;
    int style_;
    int width_;
    std::uint32_t color_;
    bool opaqueGaps_;
    std::uint32_t gapColor_;
    int dashIndex_ = 0;
    int dashLeft_ = 0;
};

// The pixels a one-pixel line visits from a to b, b excluded.
std::vector<POINT> linePixels(POINT a, POINT b);

// Fills a polygon by the pixel-centre rule (fillMode ALTERNATE or WINDING).
void fillPolygon(Canvas& canvas, const POINT* points, int count, int fillMode, std::uint32_t value);

// The outline pixels of the ellipse that fits the inclusive box (left, top) .. (right, bottom).
std::vector<POINT> ellipseOutline(int left, int top, int right, int bottom);

// Per row of the inclusive box, the leftmost and rightmost outline pixel.
struct Span {
    int y;
    int x0; // inclusive
    int x1; // inclusive
};
std::vector<Span> ellipseSpans(int left, int top, int right, int bottom);

} // namespace platform::raster
