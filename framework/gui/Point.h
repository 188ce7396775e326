// A pixel position: h grows to the right, v grows downwards.
#pragma once

#include <cstdint>

struct Rect;

struct Point {
    std::int32_t h = 0;
    std::int32_t v = 0;

    Point() = default;
    Point(std::int32_t h, std::int32_t v) : h(h), v(v) {}

    // Sets both coordinates of an existing point, as the constructor does for a new one.
    Point& operator()(std::int32_t newH, std::int32_t newV) {
        h = newH;
        v = newV;
        return *this;
    }

    // All four edges of the rectangle count as inside.
    bool isInside(const Rect& rect) const;

    bool operator==(const Point&) const = default;
};
