#include "framework/gui/controls/AnimatedKnob.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/controls/PixelMath.h"

AnimatedKnob::AnimatedKnob(const Rect& size, ControlListener* listener, std::int32_t tag,
                           std::int32_t frameCount, std::int32_t frameHeight, Bitmap* filmstrip,
                           const Point& offset)
    : Knob(size, listener, tag, nullptr, filmstrip, offset), frameCount(frameCount),
      frameHeight(frameHeight) {
    inset = 0;
}

void AnimatedKnob::draw(DrawContext& context) {
    std::int32_t y = 0;
    if (value > 0.0f && frameHeight > 0 && frameCount > 1) {
        const std::int32_t total = (frameCount - 1) * frameHeight;
        y = truncateToPixels(static_cast<double>(total) * value);
        // Values above 1 would copy from below the last frame.
        if (y > total) {
            y = total;
        }
        for (std::int32_t k = 0; k <= total; k += frameHeight) {
            if (y < k) {
                y = k - frameHeight;
                break;
            }
        }
    }
    if (handle != nullptr) {
        handle->draw(context, size, Point(0, y));
    }
    drawnValue = value;
}
