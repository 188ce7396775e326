#include "tools/artwork/Shapes.h"

#include <algorithm>
#include <cmath>

namespace artwork {

// Signed distance from the point to the rounded box's edge; negative inside.
static double distance(const Box& box, double radius, double px, double py) {
    const double cx = (box.x0 + box.x1) / 2;
    const double cy = (box.y0 + box.y1) / 2;
    const double hx = (box.x1 - box.x0) / 2 - radius;
    const double hy = (box.y1 - box.y0) / 2 - radius;
    const double qx = std::fabs(px - cx) - hx;
    const double qy = std::fabs(py - cy) - hy;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    const double inside = std::min(std::max(qx, qy), 0.0);
    return outside + inside - radius;
}

double coverage(const Box& box, double radius, int x, int y) {
    if (box.x1 <= box.x0 || box.y1 <= box.y0) {
        return 0;
    }
    // Pixel-wide ramp across the edge; for straight edges this is the exact covered area.
    const double d = distance(box, radius, x + 0.5, y + 0.5);
    return std::clamp(0.5 - d, 0.0, 1.0);
}

template <typename Paint>
static void forBox(Canvas& canvas, const Box& box, double margin, Paint paint) {
    const int x0 = std::max(0, static_cast<int>(std::floor(box.x0 - margin)));
    const int y0 = std::max(0, static_cast<int>(std::floor(box.y0 - margin)));
    const int x1 = std::min(canvas.width(), static_cast<int>(std::ceil(box.x1 + margin)));
    const int y1 = std::min(canvas.height(), static_cast<int>(std::ceil(box.y1 + margin)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            paint(x, y);
        }
    }
}

void shadeBox(Canvas& canvas, const Box& box, double radius, double factor) {
    forBox(canvas, box, 1, [&](int x, int y) {
        const double c = coverage(box, radius, x, y);
        if (c > 0) {
            canvas.shade(x, y, 1 + (factor - 1) * c);
        }
    });
}

void fillBox(Canvas& canvas, const Box& box, double radius, Rgb colour, double opacity) {
    forBox(canvas, box, 1, [&](int x, int y) {
        canvas.blend(x, y, colour, opacity * coverage(box, radius, x, y));
    });
}

void recess(Canvas& canvas, const Box& box, double radius, const RecessLook& look) {
    const Box wall = box.moved(1.5, 1.5);
    const Box softWall = box.moved(3, 3);
    const Box lip = box.moved(1, 1);
    const Box ring = box.inset(1);
    forBox(canvas, box, 2, [&](int x, int y) {
        const double inside = coverage(box, radius, x, y);
        if (inside > 0) {
            canvas.shade(x, y, 1 + (look.floorShade - 1) * inside);
            const double nearWall = inside * (1 - coverage(wall, radius, x, y));
            const double farWall = inside * (1 - coverage(softWall, radius, x, y));
            canvas.shade(x, y, 1 - look.wallShadow * (0.7 * nearWall + 0.3 * farWall));
            const double edge = inside - coverage(ring, std::max(radius - 1, 0.0), x, y);
            canvas.blend(x, y, look.outlineColour, look.outline * edge);
        }
        const double lit = coverage(lip, radius, x, y) * (1 - inside);
        canvas.blend(x, y, look.highlight, look.lipHighlight * lit);
    });
}

void raise(Canvas& canvas, const Box& box, double radius, double light, double dark) {
    const Box upper = box.moved(1, 1);
    const Box lower = box.moved(-1, -1);
    forBox(canvas, box, 1, [&](int x, int y) {
        const double inside = coverage(box, radius, x, y);
        if (inside <= 0) {
            return;
        }
        const double lit = inside * (1 - coverage(upper, radius, x, y));
        const double shaded = inside * (1 - coverage(lower, radius, x, y));
        canvas.shade(x, y, 1 + light * lit - dark * shaded);
    });
}

} // namespace artwork
