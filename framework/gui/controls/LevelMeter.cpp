#include "framework/gui/controls/LevelMeter.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/controls/PixelMath.h"

namespace {

// The part of the bar a level lights, in whole steps: trunc(steps * level + 0.5) / steps.
// Without steps the level is shown as it is.
double quantised(double level, std::int32_t steps) {
    if (steps <= 0) {
        return level;
    }
    return truncateToPixels(steps * level + 0.5) / static_cast<double>(steps);
}

} // namespace

LevelMeter::LevelMeter(const Rect& size, Bitmap* litBitmap, Bitmap* unlitBitmap,
                       std::int32_t stepCount, std::int32_t style)
    : Control(size, nullptr, 0), litBitmap(litBitmap), unlitBitmap(unlitBitmap),
      stepCount(stepCount), style(style) {
    litRect.set(size.left, size.top, size.right, size.bottom);
    unlitRect = litRect;
    if (litBitmap != nullptr) {
        litBitmap->addRef();
    }
    if (unlitBitmap != nullptr) {
        unlitBitmap->addRef();
    }
}

LevelMeter::~LevelMeter() {
    if (litBitmap != nullptr) {
        litBitmap->release();
    }
    if (unlitBitmap != nullptr) {
        unlitBitmap->release();
    }
}

void LevelMeter::setFallStep(float step) {
    fallStep = step;
}

void LevelMeter::draw(DrawContext& context) {
    if (litBitmap == nullptr) {
        return;
    }
    if (value < minimum) {
        value = minimum;
    } else if (value > maximum) {
        value = maximum;
    }
    float floor = drawnValue - fallStep;
    if (floor < minimum) {
        floor = minimum;
    }
    if (value < floor) {
        value = floor;
    }
    drawnValue = value;

    if ((style & styleHorizontal) != 0) {
        const std::int32_t lit =
            truncateToPixels(litBitmap->getWidth() * quantised(value, stepCount));
        const std::int32_t boundary = litRect.left + lit;
        litRect.right = boundary;
        unlitRect.left = boundary;
        if (unlitBitmap != nullptr) {
            unlitBitmap->draw(context, unlitRect, Point(lit, 0));
        }
        litBitmap->draw(context, litRect, Point(0, 0));
    } else {
        const std::int32_t unlit = truncateToPixels(
            litBitmap->getHeight() * quantised(static_cast<double>(maximum) - value, stepCount));
        const std::int32_t boundary = unlitRect.top + unlit;
        unlitRect.bottom = boundary;
        litRect.top = boundary;
        if (unlitBitmap != nullptr) {
            unlitBitmap->draw(context, unlitRect, Point(0, 0));
        }
        litBitmap->draw(context, litRect, Point(0, unlit));
    }
}
