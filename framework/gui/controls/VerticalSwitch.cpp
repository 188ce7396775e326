#include "framework/gui/controls/VerticalSwitch.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/controls/MouseTracking.h"
#include "framework/gui/controls/SwitchPosition.h"

VerticalSwitch::VerticalSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
                               std::int32_t imageHeight, std::int32_t positions, Bitmap* bitmap,
                               const Point& offset)
    : Control(size, listener, tag), bitmap(bitmap), backgroundOffset(offset),
      imageHeight(imageHeight), positions(positions) {
    defaultValue = 0.0f;
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

VerticalSwitch::~VerticalSwitch() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void VerticalSwitch::draw(DrawContext& context) {
    if (bitmap != nullptr) {
        bitmap->draw(context, size, Point(0, switchPositionShown(value, positions) * imageHeight));
    }
    drawnValue = value;
}

void VerticalSwitch::onMouseDown(DrawContext& context, const Point& where) {
    if (!acceptsMouse()) {
        return;
    }
    if (context.getButtonState() == (buttonLeft | modifierAlt)) {
        value = getDefaultValue();
        tellListenerIfChanged(context, *this);
        return;
    }
    const double band = positions > 0 ? static_cast<double>(imageHeight) / positions : 0.0;
    followMouseWhileHeld(context, *this, where, [&](const Point& cursor) {
        value = switchValueAt(cursor.v - size.top, band, positions, false);
        tellListenerIfChanged(context, *this);
    });
}
