#include "framework/gui/controls/MomentaryButton.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/controls/ButtonPress.h"
#include "framework/gui/controls/MouseTracking.h"

MomentaryButton::MomentaryButton(const Rect& size, ControlListener* listener, std::int32_t tag,
                                 std::int32_t imageHeight, Bitmap* bitmap, const Point& offset)
    : Control(size, listener, tag), bitmap(bitmap), backgroundOffset(offset),
      imageHeight(imageHeight) {
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

MomentaryButton::~MomentaryButton() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void MomentaryButton::draw(DrawContext& context) {
    if (value > 1.0f) {
        value = 1.0f;
    } else if (value < 0.0f) {
        value = 0.0f;
    }
    if (bitmap != nullptr) {
        Point source = backgroundOffset;
        if (value != 0.0f) {
            source.v += imageHeight;
        }
        bitmap->draw(context, size, source);
    }
    drawnValue = value;
}

void MomentaryButton::onMouseDown(DrawContext& context, const Point& where) {
    if (!acceptsMouse()) {
        return;
    }
    trackButtonPress(context, *this, where);
    value = 0.0f;
    tellListener(context, *this);
}
