#include "platform/raster/Blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::raster {
namespace {

// The operation's result for pattern p, source s and destination d, bitwise: bit (p s d) of
// the operation's index byte is the result for that combination.
inline std::uint32_t ternary(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    switch (code) {
    case 0x00:
        return 0;
    case 0xFF:
        return pixelMask;
    case 0xCC:
        return s;
    case 0x33:
        return ~s & pixelMask;
    case 0x88:
        return s & d;
    case 0xEE:
        return s | d;
    case 0x66:
        return s ^ d;
    case 0x44:
        return s & ~d & pixelMask;
    case 0x11:
        return ~(s | d) & pixelMask;
    case 0xBB:
        return (~s | d) & pixelMask;
    case 0xC0:
        return p & s;
    case 0xF0:
        return p;
    case 0x55:
        return ~d & pixelMask;
    case 0x5A:
        return p ^ d;
    case 0xAA:
        return d;
    default:
        break;
    }
    std::uint32_t result = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (code & (1 << bit)) {
            const std::uint32_t pp = (bit & 4) ? p : ~p;
            const std::uint32_t ss = (bit & 2) ? s : ~s;
            const std::uint32_t dd = (bit & 1) ? d : ~d;
            result |= pp & ss & dd;
        }
    }
    return result & pixelMask;
}

inline std::uint8_t ropCode(DWORD rop) {
    return std::uint8_t((rop >> 16) & 0xFF);
}

} // namespace

bool ropUsesSource(DWORD rop) {
    const std::uint8_t code = ropCode(rop);
    return ((code >> 2) & 0x33) != (code & 0x33);
}

bool ropUsesPattern(DWORD rop) {
    const std::uint8_t code = ropCode(rop);
    return ((code >> 4) & 0x0F) != (code & 0x0F);
}

bool blit(DeviceContext& dst, int x, int y, int width, int height, DeviceContext* src, int xSrc,
          int ySrc, DWORD rop) {
    const bool usesSource = ropUsesSource(rop);
    if (usesSource && !src) {
        return false;
    }
    Surface* target = dst.surface();
    if (!target) {
        return true;
    }
    if (width < 0) {
        x += width;
        xSrc += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        ySrc += height;
        height = -height;
    }
    // Clip the destination to its drawable area and, with a source, to the source's bounds.
    const RECT area = dst.drawable();
    int x0 = std::max(x, int(area.left)), y0 = std::max(y, int(area.top));
    int x1 = std::min(x + width, int(area.right)), y1 = std::min(y + height, int(area.bottom));
    Surface* source = usesSource ? src->surface() : nullptr;
    if (usesSource) {
        if (!source) {
            return true;
        }
        x0 = std::max(x0, x - xSrc);
        y0 = std::max(y0, y - ySrc);
        x1 = std::min(x1, x - xSrc + source->width);
        y1 = std::min(y1, y - ySrc + source->height);
    }
    if (x0 >= x1 || y0 >= y1) {
        return true;
    }
    const int w = x1 - x0;
    const std::uint8_t code = ropCode(rop);

    // The source as destination pixels: one-bit to colour takes the destination's text colour
    // for 0 and its background colour for 1; colour to one-bit makes the source's background
    // colour 1 and everything else 0.
    std::vector<std::uint32_t> converted;
    const bool convert = usesSource && source->mono() != target->mono();
    std::uint32_t zeroValue = 0, oneValue = 0, keyValue = 0;
    if (convert) {
        if (source->mono()) {
            zeroValue = pixelFromColor(dst.textColor);
            oneValue = pixelFromColor(dst.bkColor);
        } else {
            keyValue = pixelFromColor(src->bkColor);
        }
        converted.resize(std::size_t(w));
    }
    std::uint32_t pattern = 0;
    if (ropUsesPattern(rop)) {
        const Brush* brush = dst.brush;
        pattern = brush && !brush->null() ? target->deviceValue(brush->logical.lbColor)
                                          : target->deviceValue(RGB(0, 0, 0));
    }

    // Rows are copied through a temporary when source and destination share pixels.
    const bool sameSurface = usesSource && source == target;
    std::vector<std::uint32_t> rows;
    int rowStep = 1, firstRow = y0, endRow = y1;
    if (sameSurface && (y - ySrc) > 0) {
        rowStep = -1;
        firstRow = y1 - 1;
        endRow = y0 - 1;
    }
    for (int row = firstRow; row != endRow; row += rowStep) {
        std::uint32_t* d = target->row(row) + x0;
        const std::uint32_t* s = nullptr;
        if (usesSource) {
            s = source->row(row - (y - ySrc)) + (x0 - (x - xSrc));
            if (sameSurface) {
                rows.assign(s, s + w);
                s = rows.data();
            }
            if (convert) {
                if (source->mono()) {
                    for (int i = 0; i < w; ++i) {
                        converted[i] = s[i] ? oneValue : zeroValue;
                    }
                } else {
                    for (int i = 0; i < w; ++i) {
                        converted[i] = (s[i] & pixelMask) == keyValue ? monoOne : monoZero;
                    }
                }
                s = converted.data();
            }
        }
        switch (code) {
        case 0xCC:
            std::memcpy(d, s, std::size_t(w) * sizeof(std::uint32_t));
            break;
        case 0x88:
            for (int i = 0; i < w; ++i) {
                d[i] &= s[i];
            }
            break;
        case 0xEE:
            for (int i = 0; i < w; ++i) {
                d[i] |= s[i];
            }
            break;
        case 0x33:
            for (int i = 0; i < w; ++i) {
                d[i] = ~s[i] & pixelMask;
            }
            break;
        default:
            for (int i = 0; i < w; ++i) {
                d[i] = ternary(code, pattern, s ? s[i] : 0, d[i]);
            }
            break;
        }
    }
    return true;
}

} // namespace platform::raster
