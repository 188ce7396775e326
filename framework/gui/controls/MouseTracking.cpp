#include "framework/gui/controls/MouseTracking.h"

#include "framework/gui/DrawContext.h"
#include "framework/gui/controls/Control.h"
#include "framework/gui/controls/ControlListener.h"
#include "platform/WinApi.h"

void tellListener(DrawContext& context, Control& control) {
    if (control.getListener() != nullptr) {
        control.getListener()->valueChanged(context, &control);
    }
}

void tellListenerIfChanged(DrawContext& context, Control& control) {
    if (control.getValue() != control.getDrawnValue()) {
        tellListener(context, control);
    }
}

void followMouseWhileHeld(DrawContext& context, Control& control, Point where,
                          const std::function<void(const Point& where)>& step) {
    do {
        step(where);
        // The devices are polled directly; the short sleep keeps a held button from spinning
        // a core.
        Sleep(1);
        context.getMousePosition(where);
        control.idleTick();
    } while (context.getButtonState() != 0);
}
