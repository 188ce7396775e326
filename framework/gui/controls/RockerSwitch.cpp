#include "framework/gui/controls/RockerSwitch.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/controls/MouseTracking.h"

RockerSwitch::RockerSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
                           std::int32_t imageHeight, Bitmap* bitmap, const Point& offset)
    : Control(size, listener, tag), bitmap(bitmap), backgroundOffset(offset),
      imageHeight(imageHeight) {
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

RockerSwitch::~RockerSwitch() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void RockerSwitch::draw(DrawContext& context) {
    if (bitmap != nullptr) {
        Point source = backgroundOffset;
        if (value == 1.0f) {
            source.v += 2 * imageHeight;
        } else if (value == 0.0f) {
            source.v += imageHeight;
        }
        bitmap->draw(context, size, source);
    }
    drawnValue = value;
}

float RockerSwitch::valueAt(const Point& where, float outside) const {
    const std::int32_t half = (size.right - size.left) / 2;
    if (where.v < size.top || where.v > size.bottom) {
        return outside;
    }
    if (where.h >= size.left && where.h <= size.left + half) {
        return -1.0f;
    }
    if (where.h >= size.left + half && where.h <= size.right) {
        return 1.0f;
    }
    return outside;
}

void RockerSwitch::onMouseDown(DrawContext& context, const Point& where) {
    if (!acceptsMouse()) {
        return;
    }
    const float atPress = value;
    if (context.getButtonState() != 0) {
        followMouseWhileHeld(context, *this, where, [&](const Point& cursor) {
            value = valueAt(cursor, atPress);
            tellListenerIfChanged(context, *this);
        });
    } else {
        value = valueAt(where, value);
        tellListener(context, *this);
    }
    value = 0.0f;
    tellListener(context, *this);
}
