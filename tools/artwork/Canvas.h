#pragma once

#include <compare>
#include <vector>

namespace artwork {

// Colour channels in 0..255 as doubles, so that layers of shading can be stacked before the
// one rounding step at the end.
struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double factor);
Rgb add(Rgb c, double amount);

// The stored form: each channel clamped to 0..255 and rounded to the nearest step.
struct Rgb8 {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    bool operator==(const Rgb8&) const = default;
};

Rgb8 quantize(Rgb c);

// A picture in linear memory, top row first. Every painting operation clips to the picture.
class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb get(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgb colour);

    // Lays colour over the pixel with the given opacity (0 leaves it, 1 replaces it).
    void blend(int x, int y, Rgb colour, double opacity);
    // Multiplies the pixel by factor: the way shadows and highlights keep the texture below.
    void shade(int x, int y, double factor);

    // Half-open rectangle: columns x0 .. x1 - 1, rows y0 .. y1 - 1.
    void fillRect(int x0, int y0, int x1, int y1, Rgb colour, double opacity = 1.0);
    void shadeRect(int x0, int y0, int x1, int y1, double factor);

    // Copies source with its top-left corner at (x, y).
    void paste(const Canvas& source, int x, int y);

private:
    int index(int x, int y) const { return y * width_ + x; }

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

} // namespace artwork
