#include "tools/artwork/Preview.h"

#include <cmath>
#include <cstdio>

namespace artwork {

namespace {

constexpr Rgb keyColour{255, 255, 255};

bool isKey(Rgb c) {
    return quantize(c) == quantize(keyColour);
}

// What the editor's display writes: the integer percent, or two decimals of the scaled value.
std::string displayText(const Slot& slot) {
    char text[32];
    const float value = static_cast<float>(slot.previewValue);
    if (slot.percent) {
        std::snprintf(text, sizeof text, "%d%%", static_cast<int>(value * 100.0));
    } else {
        const float scaled = value * static_cast<float>(slot.displayScale);
        std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(scaled));
    }
    return text;
}

void paintSlider(Canvas& canvas, const Design& design, int slot, const Canvas& track,
                 const Canvas& handle) {
    const int left = sliderLeft(slot);
    canvas.paste(track, left, design.sliderTop);
    // The vertical slider with its origin at the bottom: value 1 puts the handle's top at
    // the slider's top, value 0 at the end of the travel.
    const float norm =
        1.0f - static_cast<float>(design.slots[static_cast<size_t>(slot)].previewValue);
    const float range = static_cast<float>(trackHeight - handleHeight - 1);
    const int top = design.sliderTop + static_cast<int>(static_cast<double>(norm) * range);
    for (int y = 0; y < handle.height(); ++y) {
        for (int x = 0; x < handle.width(); ++x) {
            if (!isKey(handle.get(x, y))) {
                canvas.set(left + 1 + x, top + y, handle.get(x, y));
            }
        }
    }
}

void paintDisplay(Canvas& canvas, const Design& design, Fonts& fonts, int slot) {
    const int left = displayLeft(slot);
    const int top = design.displayTop;
    // A white box with a black border covering columns left..right and rows top..bottom;
    // the text is clipped to the box, as the editor's text drawing clips it.
    Canvas box(displayWidth + 1, displayHeight + 1, {0, 0, 0});
    box.fillRect(1, 1, displayWidth, displayHeight, {255, 255, 255});
    const TextStyle style{.size = 11, .tracking = 0, .align = Align::centre};
    const double ascent = fonts.display->ascent(style.size);
    const double height = ascent + fonts.display->descent(style.size);
    const int baseline = static_cast<int>(std::lround((displayHeight - height) / 2 + ascent));
    fonts.display->draw(box, displayText(design.slots[static_cast<size_t>(slot)]), style,
                        displayWidth / 2.0, baseline, {0, 0, 0});
    canvas.paste(box, left, top);
}

} // namespace

Canvas composePreview(const Design& design, Fonts& fonts, const Canvas& background,
                      const Canvas& track, const Canvas& handle) {
    Canvas canvas = background;
    for (int slot = 0; slot < static_cast<int>(design.slots.size()); ++slot) {
        paintSlider(canvas, design, slot, track, handle);
        paintDisplay(canvas, design, fonts, slot);
    }
    return canvas;
}

} // namespace artwork
