#include "tools/artwork/Painters.h"

#include <algorithm>
#include <cmath>

namespace artwork {

Canvas paintTrack(const Design& design) {
    const Rgb groove = design.palette.groove;
    Canvas canvas(trackWidth, trackHeight);
    for (int y = 0; y < trackHeight; ++y) {
        for (int x = 0; x < trackWidth; ++x) {
            // The floor of the groove: darker towards the walls, lit a little from above.
            const double across = (x + 0.5) / trackWidth - 0.5;
            const double along = static_cast<double>(y) / (trackHeight - 1);
            double f = (1.06 - 0.9 * across * across) * (1.04 - 0.08 * along);
            // The upper wall casts a short shadow onto the floor.
            f *= 1 - 0.35 * std::exp(-(y - 0.5) / 2.0);
            canvas.set(x, y, scale(groove, f));
        }
    }
    // The slot the handle's stem runs in, rounded at both ends.
    const int slotTop = 4;
    const int slotBottom = trackHeight - 5;
    for (int y = slotTop; y <= slotBottom; ++y) {
        const double end = (y == slotTop || y == slotBottom) ? 0.55 : 1.0;
        for (int x = 7; x <= 8; ++x) {
            canvas.blend(x, y, {6, 7, 8}, 0.85 * end);
        }
        canvas.shade(6, y, 1 - 0.22 * end);
        canvas.blend(9, y, scale(groove, 1.9), 0.5 * end);
    }
    // The cut's edges: in shadow at the top and left, catching the light at the bottom and
    // right.
    for (int y = 0; y < trackHeight; ++y) {
        canvas.set(0, y, scale(groove, 0.5));
        canvas.blend(1, y, scale(groove, 0.6), 0.5);
        canvas.set(trackWidth - 1, y, mix(groove, design.palette.face, 0.45));
    }
    for (int x = 0; x < trackWidth; ++x) {
        canvas.set(x, 0, scale(groove, 0.45));
        if (x > 0) {
            canvas.set(x, trackHeight - 1, mix(groove, design.palette.face, 0.5));
        }
    }
    // Whole channel steps keep the palette small.
    for (int y = 0; y < trackHeight; ++y) {
        for (int x = 0; x < trackWidth; ++x) {
            const Rgb8 q = quantize(canvas.get(x, y));
            canvas.set(
                x, y,
                {static_cast<double>(q.r), static_cast<double>(q.g), static_cast<double>(q.b)});
        }
    }
    return canvas;
}

} // namespace artwork
