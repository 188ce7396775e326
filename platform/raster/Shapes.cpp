#include "platform/raster/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace platform::raster {

void fillPolygon(Canvas& canvas, const POINT* points, int count, int fillMode,
                 std::uint32_t value) {
    if (count < 3 || !canvas.valid()) {
        return;
    }
    int yMin = points[0].y, yMax = points[0].y;
    for (int i = 1; i < count; ++i) {
        yMin = std::min(yMin, int(points[i].y));
        yMax = std::max(yMax, int(points[i].y));
    }
    yMin = std::max(yMin, int(canvas.area().top));
    yMax = std::min(yMax, int(canvas.area().bottom));
    // Pixel (x, y) is inside when the point (x, y) is, edges on the left and top counting as
    // inside: each row y takes the edges with y0 <= y < y1, and the pixels from the ceiling of
    // one crossing up to the ceiling of the next.
    struct Crossing {
        long long x; // ceiling of the exact crossing
        int winding;
    };
    auto ceilDiv = [](long long n, long long d) {
        if (d < 0) {
            n = -n;
            d = -d;
        }
        return n >= 0 ? (n + d - 1) / d : -((-n) / d);
    };
    std::vector<Crossing> crossings;
    for (int y = yMin; y < yMax; ++y) {
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const POINT& p = points[i];
            const POINT& q = points[(i + 1) % count];
            if (p.y == q.y) {
                continue;
            }
            const bool down = q.y > p.y;
            const int y0 = down ? p.y : q.y, y1 = down ? q.y : p.y;
            if (y < y0 || y >= y1) {
                continue;
            }
            const long long numerator =
                (long long)p.x * (q.y - p.y) + (long long)(y - p.y) * (q.x - p.x);
            crossings.push_back({ceilDiv(numerator, q.y - p.y), down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].winding;
            const bool inside = fillMode == WINDING ? winding != 0 : (i % 2) == 0;
            if (inside) {
                canvas.span(int(crossings[i].x), int(crossings[i + 1].x), y, value);
            }
        }
    }
}

std::vector<POINT> ellipseOutline(int x0, int y0, int x1, int y1) {
    // Integer ellipse walk over a box (after A. Zingl), exact for boxes of any parity.
    std::vector<POINT> points;
    if (x0 > x1) {
        std::swap(x0, x1);
    }
    if (y0 > y1) {
        std::swap(y0, y1);
    }
    long long a = x1 - x0, b = y1 - y0, b1 = b & 1;
    long long dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    long long err = dx + dy + b1 * a * a;
    y0 += int((b + 1) / 2);
    y1 = y0 - int(b1);
    const long long a8 = 8 * a * a, b8 = 8 * b * b;
    do {
        points.push_back({x1, y0});
        points.push_back({x0, y0});
        points.push_back({x0, y1});
        points.push_back({x1, y1});
        const long long e2 = 2 * err;
        if (e2 <= dy) {
            y0++;
            y1--;
            err += dy += a8;
        }
        if (e2 >= dx || 2 * err > dy) {
            x0++;
            x1--;
            err += dx += b8;
        }
    } while (x0 <= x1);
    while (y0 - y1 <= b) {
        points.push_back({x0 - 1, y0});
        points.push_back({x1 + 1, y0++});
        points.push_back({x0 - 1, y1});
        points.push_back({x1 + 1, y1--});
    }
    std::sort(points.begin(), points.end(),
              [](const POINT& p, const POINT& q) { return p.y != q.y ? p.y < q.y : p.x < q.x; });
    points.erase(
        std::unique(points.begin(), points.end(),
                    [](const POINT& p, const POINT& q) { return p.x == q.x && p.y == q.y; }),
        points.end());
    return points;
}

std::vector<Span> ellipseSpans(int left, int top, int right, int bottom) {
    std::map<int, Span> rows;
    for (const POINT& p : ellipseOutline(left, top, right, bottom)) {
        auto [it, fresh] = rows.try_emplace(p.y, Span{p.y, p.x, p.x});
        if (!fresh) {
            it->second.x0 = std::min(it->second.x0, int(p.x));
            it->second.x1 = std::max(it->second.x1, int(p.x));
        }
    }
    std::vector<Span> spans;
    for (auto& [y, span] : rows) {
        spans.push_back(span);
    }
    return spans;
}

} // namespace platform::raster
