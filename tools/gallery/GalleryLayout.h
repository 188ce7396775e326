// Where the gallery puts things: a header, then three rows of six tiles, one control each,
// with its class name in a strip at the tile's foot.
#pragma once

#include "framework/gui/Rect.h"

namespace gallery {

constexpr int frameWidth = 768;
constexpr int frameHeight = 468;
constexpr int margin = 16;
constexpr int headerHeight = 52;
constexpr int tileWidth = 116;
constexpr int tileHeight = 128;
constexpr int tileGap = 8;
constexpr int captionHeight = 22;
constexpr int columns = 6;
constexpr int rows = 3;

inline Rect tileRect(int index) {
    const int column = index % columns, row = index / columns;
    const int left = margin + column * (tileWidth + tileGap);
    const int top = headerHeight + row * (tileHeight + tileGap);
    return Rect(left, top, left + tileWidth, top + tileHeight);
}

// The middle of the part of a tile above its caption.
inline int centreX(int index) {
    return tileRect(index).left + tileWidth / 2;
}
inline int centreY(int index) {
    return tileRect(index).top + (tileHeight - captionHeight) / 2;
}

} // namespace gallery
