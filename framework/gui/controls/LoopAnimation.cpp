#include "framework/gui/controls/LoopAnimation.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/controls/MouseTracking.h"
#include "framework/gui/controls/PixelMath.h"

LoopAnimation::LoopAnimation(const Rect& size, ControlListener* listener, std::int32_t tag,
                             std::int32_t imageCount, std::int32_t imageHeight, Bitmap* bitmap,
                             const Point& offset)
    : Control(size, listener, tag), bitmap(bitmap), backgroundOffset(offset),
      imageCount(imageCount), imageHeight(imageHeight), totalHeight(imageCount * imageHeight) {
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

LoopAnimation::~LoopAnimation() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void LoopAnimation::start() {
    running = true;
}

void LoopAnimation::stop() {
    running = false;
}

void LoopAnimation::nextFrame() {
    value += static_cast<float>(imageHeight);
    if (value >= static_cast<float>(totalHeight - imageHeight)) {
        value = 0.0f;
    }
}

void LoopAnimation::previousFrame() {
    value -= static_cast<float>(imageHeight);
    if (value < 0.0f) {
        value = static_cast<float>(totalHeight - imageHeight - 1);
    }
}

void LoopAnimation::draw(DrawContext& context) {
    if (!running) {
        return;
    }
    if (bitmap != nullptr) {
        const Point source(backgroundOffset.h, truncateToPixels(value) + backgroundOffset.v);
        bitmap->draw(context, size, source);
    }
    drawnValue = value;
}

void LoopAnimation::onMouseDown(DrawContext& context, const Point&) {
    if (!acceptsMouse()) {
        return;
    }
    value = 0.0f;
    if (!running) {
        start();
        drawnValue = -1.0f; // the next drawIfChanged shows image 0
        tellListener(context, *this);
    } else {
        draw(context);
        stop();
    }
}
