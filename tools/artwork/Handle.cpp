#include "tools/artwork/Painters.h"

#include <algorithm>
#include <utility>

namespace artwork {

Canvas paintHandle(const Design& design) {
    const Rgb cap = design.palette.cap;
    const Rgb groove = design.palette.groove;
    Canvas canvas(handleWidth, handleHeight);
    const int w = handleWidth;
    const int h = handleHeight;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // A cylinder lying across the groove: bright just above the middle, falling off
            // to both long edges, a touch darker at the ends.
            const double v = (y + 0.5) / h - 0.38;
            const double u = (x + 0.5) / w - 0.5;
            const double f = 1.18 - 1.5 * v * v - 0.35 * u * u;
            canvas.set(x, y, scale(cap, f));
        }
    }
    // Grip ribs above and below the centre line.
    for (int x = 2; x < w - 2; ++x) {
        for (int y : {2, 8}) {
            canvas.shade(x, y, 0.86);
            canvas.shade(x, y + 1, 1.1);
        }
    }
    // The centre line that points at the scale.
    for (int x = 1; x < w - 1; ++x) {
        canvas.set(x, 5, design.palette.capMark);
        canvas.blend(x, 6, scale(cap, 1.45), 0.7);
    }
    // Bevel: lit top and left edges, dark bottom and right edges.
    for (int x = 0; x < w; ++x) {
        canvas.set(x, 0, scale(cap, 1.42));
        canvas.set(x, h - 1, scale(cap, 0.42));
        canvas.shade(x, h - 2, 0.8);
    }
    for (int y = 0; y < h; ++y) {
        canvas.set(0, y, scale(canvas.get(0, y), 1.2));
        canvas.set(w - 1, y, scale(canvas.get(w - 1, y), 0.6));
    }
    // Corners rounded by blending with the groove the handle always runs over; masked
    // drawing cannot leave them out without a key-coloured pixel.
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
        canvas.set(x, y, mix(canvas.get(x, y), scale(groove, 0.8), 0.6));
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgb c = canvas.get(x, y);
            const Rgb8 q = quantize({std::min(c.r, handleCeiling), std::min(c.g, handleCeiling),
                                     std::min(c.b, handleCeiling)});
            canvas.set(
                x, y,
                {static_cast<double>(q.r), static_cast<double>(q.g), static_cast<double>(q.b)});
        }
    }
    return canvas;
}

} // namespace artwork
