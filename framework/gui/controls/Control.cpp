#include "framework/gui/controls/Control.h"

#include "framework/effect/GuiEditor.h"
#include "framework/gui/Frame.h"

Control::Control(const Rect& size, ControlListener* listener, std::int32_t tag)
    : View(size), listener(listener), tag(tag) {}

Control::~Control() = default;

void Control::draw(DrawContext&) {}

void Control::onMouseDown(DrawContext& context, const Point& where) {
    View::onMouseDown(context, where);
}

void Control::drawIfChanged(DrawContext& context) {
    if (drawnValue != value) {
        draw(context);
        drawnValue = value;
    }
}

void Control::endEditing() {
    View::endEditing();
}

void Control::beginEditing() {
    View::beginEditing();
}

void Control::setBackingStore(OffscreenContext* store) {
    View::setBackingStore(store);
}

void Control::idleTick() {
    if (frame != nullptr && frame->getEditor() != nullptr) {
        frame->getEditor()->throttledIdle();
    }
}

void Control::setValue(float newValue) {
    value = newValue;
}

float Control::getValue() {
    return value;
}

void Control::setMin(float newMinimum) {
    minimum = newMinimum;
}

float Control::getMin() {
    return minimum;
}

void Control::setMax(float newMaximum) {
    maximum = newMaximum;
}

float Control::getMax() {
    return maximum;
}

void Control::setDrawnValue(float newDrawnValue) {
    drawnValue = newDrawnValue;
}

float Control::getDrawnValue() {
    return drawnValue;
}

void Control::setDefaultValue(float newDefaultValue) {
    defaultValue = newDefaultValue;
}

float Control::getDefaultValue() {
    return defaultValue;
}

void Control::setAcceptsMouse(bool state) {
    acceptingMouse = state;
}

bool Control::acceptsMouse() {
    return acceptingMouse;
}
