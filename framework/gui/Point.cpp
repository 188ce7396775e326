#include "framework/gui/Point.h"

#include "framework/gui/Rect.h"

bool Point::isInside(const Rect& rect) const {
    return h >= rect.left && h <= rect.right && v >= rect.top && v <= rect.bottom;
}
