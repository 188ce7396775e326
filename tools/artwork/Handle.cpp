#include "tools/artwork/Painters.h"

#include <algorithm>
#include <utility>

namespace artwork {

Canvas paintHandle(const Design& design) {
    const Rgb cap = design.palette.cap;
    const Rgb groove = design.palette.groove;
    const int w = handleWidth;
    const int h = handleHeight;
    // Brightness of each row: a cap with a lit upper face and a shaded lower face, parted by
    // the centre line at row 5 that points at the scale.
    static constexpr double rows[handleHeight] = {1.46, 1.30, 1.20, 1.14, 1.07, 0.0,
                                                  1.42, 0.98, 0.92, 0.86, 0.72, 0.44};
    Canvas canvas(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Rounded along its length too: the ends turn away from the light.
            const double u = (x + 0.5) / w - 0.5;
            canvas.set(x, y, scale(cap, rows[y] * (1 - 0.3 * u * u)));
        }
    }
    for (int x = 1; x < w - 1; ++x) {
        canvas.set(x, 5, design.palette.capMark);
    }
    // Fine grip ribs on both faces.
    for (int x = 2; x < w - 2; ++x) {
        canvas.shade(x, 3, 0.9);
        canvas.shade(x, 8, 0.9);
    }
    // Side bevels: lit left edge, shaded right edge.
    for (int y = 0; y < h; ++y) {
        canvas.set(0, y, scale(canvas.get(0, y), 1.15));
        canvas.set(w - 2, y, scale(canvas.get(w - 2, y), 0.9));
        canvas.set(w - 1, y, scale(canvas.get(w - 1, y), 0.62));
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
