#include "platform/raster/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform::raster {
namespace {

struct DashPattern {
    int count;
    int lengths[6];
};

// On and off lengths of the one-pixel styled pens, starting with "on".
const DashPattern dashPatterns[4] = {{2, {18, 6}},             // PS_DASH
                                     {2, {3, 3}},              // PS_DOT
                                     {4, {9, 6, 3, 6}},        // PS_DASHDOT
                                     {6, {9, 3, 3, 3, 3, 3}}}; // PS_DASHDOTDOT

// Octants as Bresenham walks number them, one bit each; the walks of octants 3, 5, 6 and 8
// round their ties the other way, so that a line and its reverse visit the same pixels where
// the system's lines do.
int octantMask(int dx, int dy) {
    int octant;
    if (dy > 0) {
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    } else {
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    }
    return 1 << (octant - 1);
}

template <typename Plot> void walkLine(POINT a, POINT b, Plot&& plot) {
    const int dx = b.x - a.x, dy = b.y - a.y;
    const int adx = std::abs(dx), ady = std::abs(dy);
    if (adx == 0 && ady == 0) {
        return;
    }
    const int mask = octantMask(dx, dy);
    const int bias = (mask & 0xb4) ? 1 : 0;
    const bool xMajor = (mask & 0x99) != 0; // octants 1, 4, 5, 8
    const int xInc = dx > 0 ? 1 : -1, yInc = dy > 0 ? 1 : -1;
    int x = a.x, y = a.y;
    if (xMajor) {
        int err = 2 * ady - adx;
        for (int i = 0; i < adx; ++i) {
            plot(x, y);
            if (err + bias > 0) {
                y += yInc;
                err += 2 * ady - 2 * adx;
            } else {
                err += 2 * ady;
            }
            x += xInc;
        }
    } else {
        int err = 2 * adx - ady;
        for (int i = 0; i < ady; ++i) {
            plot(x, y);
            if (err + bias > 0) {
                x += xInc;
                err += 2 * adx - 2 * ady;
            } else {
                err += 2 * adx;
            }
            y += yInc;
        }
    }
}

} // namespace

std::vector<POINT> linePixels(POINT a, POINT b) {
    std::vector<POINT> pixels;
    walkLine(a, b, [&](int x, int y) { pixels.push_back(POINT{x, y}); });
    return pixels;
}

PenStroker::PenStroker(Canvas& canvas, const DeviceContext& dc)
    : canvas_(canvas), visible_(canvas.valid() && dc.pen && dc.pen->style != PS_NULL),
      style_(dc.pen ? dc.pen->style : PS_NULL), width_(dc.pen ? dc.pen->width : 1),
      color_(visible_ ? canvas.value(dc.pen->color) : 0), opaqueGaps_(dc.bkMode == OPAQUE),
      gapColor_(visible_ ? canvas.value(dc.bkColor) : 0) {
    if (style_ >= PS_DASH && style_ <= PS_DASHDOTDOT) {
        dashLeft_ = dashPatterns[style_ - PS_DASH].lengths[0];
    }
}

void PenStroker::plotStyled(int x, int y) {
    if (style_ < PS_DASH || style_ > PS_DASHDOTDOT) {
        canvas_.plot(x, y, color_);
        return;
    }
    const bool on = (dashIndex_ % 2) == 0;
    if (on) {
        canvas_.plot(x, y, color_);
    } else if (opaqueGaps_) {
        canvas_.plot(x, y, gapColor_);
    }
    const DashPattern& pattern = dashPatterns[style_ - PS_DASH];
    if (--dashLeft_ == 0) {
        dashIndex_ = (dashIndex_ + 1) % pattern.count;
        dashLeft_ = pattern.lengths[dashIndex_];
    }
}

void PenStroker::disc(int cx, int cy) {
    // Round ends and joins: the ellipse of a box of the pen's width around the point.
    const int left = cx - width_ / 2, top = cy - width_ / 2;
    for (const Span& span : ellipseSpans(left, top, left + width_ - 1, top + width_ - 1)) {
        canvas_.span(span.x0, span.x1 + 1, span.y, color_);
    }
}

void PenStroker::segment(POINT a, POINT b) {
    if (!visible_) {
        return;
    }
    if (width_ <= 1) {
        walkLine(a, b, [&](int x, int y) { plotStyled(x, y); });
        return;
    }
    // Wide pens: the segment's body is the rectangle of the pen's width along it, its corners
    // rounded to whole pixels and filled by the polygon rule, with a round end at each point.
    if (a.x != b.x || a.y != b.y) {
        const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
        const double half = width_ / 2.0;
        const double ox = -dy / length * half, oy = dx / length * half;
        auto corner = [](double x, double y) {
            return POINT{LONG(std::floor(x + 0.5)), LONG(std::floor(y + 0.5))};
        };
        const POINT body[4] = {corner(a.x + ox, a.y + oy), corner(b.x + ox, b.y + oy),
                               corner(b.x - ox, b.y - oy), corner(a.x - ox, a.y - oy)};
        fillPolygon(canvas_, body, 4, WINDING, color_);
    }
    disc(a.x, a.y);
    disc(b.x, b.y);
}

void PenStroker::point(POINT p) {
    if (!visible_) {
        return;
    }
    if (width_ <= 1) {
        plotStyled(p.x, p.y);
    } else {
        disc(p.x, p.y);
    }
}

} // namespace platform::raster
