#include "tools/gallery/Canvas.h"

#include <algorithm>
#include <cmath>

namespace gallery {

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [&](int shift) {
        const double from = (a >> shift) & 0xFF, to = (b >> shift) & 0xFF;
        return Rgb(std::lround(from + (to - from) * t)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

double roundedBox(double x, double y, double left, double top, double right, double bottom,
                  double radius) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    const double qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double circle(double x, double y, double cx, double cy, double radius) {
    return std::hypot(x - cx, y - cy) - radius;
}

double segment(double x, double y, double x0, double y0, double x1, double y1, double halfWidth) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double length = dx * dx + dy * dy;
    const double t =
        length > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length, 0.0, 1.0) : 0;
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - halfWidth;
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, fill),
      touched_(std::size_t(width) * height, false) {}

void Canvas::set(int x, int y, Rgb color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        pixels_[index(x, y)] = color;
        touched_[index(x, y)] = true;
    }
}

void Canvas::shape(const Distance& distance, Rgb color, int left, int top, int right, int bottom,
                   double opacity) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const double coverage = std::clamp(0.5 - distance(x + 0.5, y + 0.5), 0.0, 1.0);
            if (coverage > 0) {
                pixels_[index(x, y)] = mix(pixels_[index(x, y)], color, coverage * opacity);
                touched_[index(x, y)] = true;
            }
        }
    }
}

void Canvas::fillRect(int left, int top, int right, int bottom, Rgb color) {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
            set(x, y, color);
        }
    }
}

void Canvas::verticalGradient(int left, int top, int right, int bottom, Rgb from, Rgb to) {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        const Rgb color =
            mix(from, to, bottom - top > 1 ? double(y - top) / (bottom - top - 1) : 0);
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
            set(x, y, color);
        }
    }
}

void Canvas::roundRect(double left, double top, double right, double bottom, double radius,
                       Rgb color, double opacity) {
    shape([=](double x, double y) { return roundedBox(x, y, left, top, right, bottom, radius); },
          color, int(left) - 1, int(top) - 1, int(right) + 2, int(bottom) + 2, opacity);
}

void Canvas::disc(double cx, double cy, double radius, Rgb color, double opacity) {
    shape([=](double x, double y) { return circle(x, y, cx, cy, radius); }, color,
          int(cx - radius) - 1, int(cy - radius) - 1, int(cx + radius) + 2, int(cy + radius) + 2,
          opacity);
}

void Canvas::line(double x0, double y0, double x1, double y1, double width, Rgb color,
                  double opacity) {
    const double h = width / 2;
    shape([=](double x, double y) { return segment(x, y, x0, y0, x1, y1, h); }, color,
          int(std::min(x0, x1) - h) - 1, int(std::min(y0, y1) - h) - 1,
          int(std::max(x0, x1) + h) + 2, int(std::max(y0, y1) + h) + 2, opacity);
}

void Canvas::paste(const Canvas& other, int x, int y) {
    for (int j = 0; j < other.height(); ++j) {
        for (int i = 0; i < other.width(); ++i) {
            set(x + i, y + j, other.at(i, j));
        }
    }
}

void Canvas::keyUntouched() {
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        if (!touched_[i]) {
            pixels_[i] = 0xFFFFFF;
        } else if (pixels_[i] == 0xFFFFFF) {
            pixels_[i] = 0xFEFEFE; // a drawn white must not vanish as the key colour
        }
    }
}

std::vector<unsigned char> Canvas::bmp() const {
    const int rowBytes = (width_ * 3 + 3) & ~3;
    const std::uint32_t dataSize = std::uint32_t(rowBytes * height_);
    std::vector<unsigned char> file(54 + dataSize, 0);
    auto put16 = [&](std::size_t at, std::uint32_t value) {
        file[at] = value & 0xFF;
        file[at + 1] = (value >> 8) & 0xFF;
    };
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        put16(at, value & 0xFFFF);
        put16(at + 2, value >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, std::uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width_));
    put32(22, std::uint32_t(height_));
    put16(26, 1);
    put16(28, 24);
    put32(34, dataSize);
    for (int y = 0; y < height_; ++y) {
        unsigned char* row = &file[54 + std::size_t(height_ - 1 - y) * rowBytes];
        for (int x = 0; x < width_; ++x) {
            const Rgb color = at(x, y);
            row[x * 3] = color & 0xFF;
            row[x * 3 + 1] = (color >> 8) & 0xFF;
            row[x * 3 + 2] = (color >> 16) & 0xFF;
        }
    }
    return file;
}

} // namespace gallery
