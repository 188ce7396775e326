#include "framework/gui/controls/ToggleButton.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/controls/MouseTracking.h"
#include "framework/gui/controls/PixelMath.h"

ToggleButton::ToggleButton(const Rect& size, ControlListener* listener, std::int32_t tag,
                           Bitmap* bitmap)
    : Control(size, listener, tag), bitmap(bitmap) {
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

ToggleButton::~ToggleButton() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void ToggleButton::draw(DrawContext& context) {
    if (bitmap != nullptr) {
        const Point offset(0, value == 0.0f ? 0 : bitmap->getHeight() / 2);
        bitmap->draw(context, size, offset);
    }
    drawnValue = value;
}

void ToggleButton::onMouseDown(DrawContext& context, const Point&) {
    if (!acceptsMouse()) {
        return;
    }
    value = truncateToPixels(value) != 0 ? 0.0f : 1.0f;
    draw(context);
    tellListener(context, *this);
}
