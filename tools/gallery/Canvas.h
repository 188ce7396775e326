// A picture drawn in memory with soft edges, and the BMP file the platform layer registers as
// a bitmap resource. Shapes are given by signed distance: negative inside, in pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace gallery {

using Rgb = std::uint32_t; // 0x00RRGGBB

constexpr Rgb rgb(int r, int g, int b) {
    return Rgb((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF));
}
// a + (b - a) * t per channel.
Rgb mix(Rgb a, Rgb b, double t);

using Distance = std::function<double(double x, double y)>;

double roundedBox(double x, double y, double left, double top, double right, double bottom,
                  double radius);
double circle(double x, double y, double cx, double cy, double radius);
double segment(double x, double y, double x0, double y0, double x1, double y1, double halfWidth);

class Canvas {
public:
    Canvas(int width, int height, Rgb fill);

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgb color);

    // Paints the shape, its edge blended over one pixel, within the box (right, bottom excluded).
    void shape(const Distance& distance, Rgb color, int left, int top, int right, int bottom,
               double opacity = 1.0);
    void fillRect(int left, int top, int right, int bottom, Rgb color);
    void verticalGradient(int left, int top, int right, int bottom, Rgb from, Rgb to);
    void roundRect(double left, double top, double right, double bottom, double radius, Rgb color,
                   double opacity = 1.0);
    void disc(double cx, double cy, double radius, Rgb color, double opacity = 1.0);
    void line(double x0, double y0, double x1, double y1, double width, Rgb color,
              double opacity = 1.0);
    // Copies another canvas in at a position.
    void paste(const Canvas& other, int x, int y);

    // Pixels that no shape touched become the key colour of masked drawing (white).
    void keyUntouched();

    // The content of a 24-bit BMP file.
    std::vector<unsigned char> bmp() const;

private:
    std::size_t index(int x, int y) const { return std::size_t(y) * width_ + x; }

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
    std::vector<bool> touched_;
};

} // namespace gallery
