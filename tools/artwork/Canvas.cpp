#include "tools/artwork/Canvas.h"

#include <algorithm>
#include <cmath>

namespace artwork {

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double factor) {
    return {c.r * factor, c.g * factor, c.b * factor};
}

Rgb add(Rgb c, double amount) {
    return {c.r + amount, c.g + amount, c.b + amount};
}

static unsigned char channel(double v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 255.0)));
}

Rgb8 quantize(Rgb c) {
    return {channel(c.r), channel(c.g), channel(c.b)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::set(int x, int y, Rgb colour) {
    if (contains(x, y)) {
        pixels_[index(x, y)] = colour;
    }
}

void Canvas::blend(int x, int y, Rgb colour, double opacity) {
    if (!contains(x, y) || opacity <= 0) {
        return;
    }
    Rgb& p = pixels_[index(x, y)];
    p = mix(p, colour, std::min(opacity, 1.0));
}

void Canvas::shade(int x, int y, double factor) {
    if (contains(x, y)) {
        Rgb& p = pixels_[index(x, y)];
        p = scale(p, factor);
    }
}

void Canvas::fillRect(int x0, int y0, int x1, int y1, Rgb colour, double opacity) {
    for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, width_); ++x) {
            blend(x, y, colour, opacity);
        }
    }
}

void Canvas::shadeRect(int x0, int y0, int x1, int y1, double factor) {
    for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, width_); ++x) {
            shade(x, y, factor);
        }
    }
}

void Canvas::paste(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            set(x + sx, y + sy, source.get(sx, sy));
        }
    }
}

} // namespace artwork
