// A knob that shows one frame of a vertical filmstrip chosen by the value instead of a handle
// on a circle; it turns the same way as the knob.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Knob.h"

class AnimatedKnob : public Knob {
public:
    // The filmstrip holds frameCount frames of frameHeight pixels, frame 0 at the top.
    AnimatedKnob(const Rect& size, ControlListener* listener, std::int32_t tag,
                 std::int32_t frameCount, std::int32_t frameHeight, Bitmap* filmstrip,
                 const Point& offset);

    // Frame trunc(total * value) / frameHeight, total being the last frame's top; the last
    // frame shows only from a value of 1 on, and the copy never leaves the filmstrip.
    void draw(DrawContext& context) override;

    std::int32_t getFrameCount() const { return frameCount; }
    std::int32_t getFrameHeight() const { return frameHeight; }

private:
    std::int32_t frameCount;
    std::int32_t frameHeight;
};
