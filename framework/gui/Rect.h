// A rectangle by its four edges. Built from four values it keeps them as given (a reversed
// rectangle has a negative width); only set() puts the edges in order.
#pragma once

#include <cstdint>

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    Rect() = default;
    Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
        : left(left), top(top), right(right), bottom(bottom) {}

    // The rectangle spanned by two corners given in any order.
    Rect& set(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
        left = x1 < x2 ? x1 : x2;
        right = x1 < x2 ? x2 : x1;
        top = y1 < y2 ? y1 : y2;
        bottom = y1 < y2 ? y2 : y1;
        return *this;
    }

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }

    Rect& offset(std::int32_t dx, std::int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }

    bool operator==(const Rect&) const = default;
};
