#include "framework/gui/controls/HorizontalSwitch.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/controls/MouseTracking.h"
#include "framework/gui/controls/SwitchPosition.h"

HorizontalSwitch::HorizontalSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
                                   std::int32_t imageHeight, std::int32_t positions, Bitmap* bitmap,
                                   const Point& offset)
    : Control(size, listener, tag), bitmap(bitmap), backgroundOffset(offset),
      imageHeight(imageHeight), positions(positions) {
    defaultValue = 0.0f;
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

HorizontalSwitch::~HorizontalSwitch() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void HorizontalSwitch::draw(DrawContext& context) {
    if (bitmap != nullptr) {
        bitmap->draw(context, size, Point(0, switchPositionShown(value, positions) * imageHeight));
    }
    drawnValue = value;
}

void HorizontalSwitch::onMouseDown(DrawContext& context, const Point& where) {
    if (!acceptsMouse()) {
        return;
    }
    if (context.getButtonState() == (buttonLeft | modifierAlt)) {
        value = getDefaultValue();
        tellListenerIfChanged(context, *this);
        return;
    }
    const std::int32_t width = bitmap != nullptr ? bitmap->getWidth() : 0;
    const double band = positions > 0 ? static_cast<double>(width) / positions : 0.0;
    // A press on a band's right edge still counts for that band.
    followMouseWhileHeld(context, *this, where, [&](const Point& cursor) {
        value = switchValueAt(cursor.h - size.left, band, positions, true);
        tellListenerIfChanged(context, *this);
    });
}
