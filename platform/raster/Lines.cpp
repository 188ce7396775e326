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
    // The pixels whose centres lie within half the width of the point; for even widths the
    // point sits on a pixel corner.
    const double r = width_ / 2.0;
    const double ox = (width_ % 2) ? cx + 0.5 : cx, oy = (width_ % 2) ? cy + 0.5 : cy;
    const int reach = width_ / 2 + 1;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) {
            const double ddx = x + 0.5 - ox, ddy = y + 0.5 - oy;
            if (ddx * ddx + ddy * ddy < r * r) {
                canvas_.plot(x, y, color_);
            }
        }
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
    // Wide pens: every pixel whose centre lies within half the width of the segment.
    const double r = width_ / 2.0;
    const double shift = (width_ % 2) ? 0.5 : 0.0;
    const double ax = a.x + shift, ay = a.y + shift, bx = b.x + shift, by = b.y + shift;
    const double vx = bx - ax, vy = by - ay, len2 = vx * vx + vy * vy;
    const int reach = width_ / 2 + 1;
    const int x0 = std::min(a.x, b.x) - reach, x1 = std::max(a.x, b.x) + reach;
    const int y0 = std::min(a.y, b.y) - reach, y1 = std::max(a.y, b.y) + reach;
    const RECT& area = canvas_.area();
    for (int y = std::max(y0, int(area.top)); y <= std::min(y1, int(area.bottom) - 1); ++y) {
        for (int x = std::max(x0, int(area.left)); x <= std::min(x1, int(area.right) - 1); ++x) {
            const double px = x + 0.5 - ax, py = y + 0.5 - ay;
            double t = len2 > 0 ? (px * vx + py * vy) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = px - t * vx, ey = py - t * vy;
            if (ex * ex + ey * ey < r * r) {
                canvas_.plot(x, y, color_);
            }
        }
    }
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
