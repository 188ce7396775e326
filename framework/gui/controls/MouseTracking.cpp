#include "framework/gui/controls/MouseTracking.h"

#include "framework/effect/GuiEditor.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/Frame.h"
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

MouseTrackingScope::MouseTrackingScope(Control& control) : editor(nullptr) {
    if (Frame* frame = control.getFrame()) {
        editor = frame->getEditor();
    }
    if (editor != nullptr) {
        editor->beginMouseTracking();
    }
}

MouseTrackingScope::~MouseTrackingScope() {
    if (editor != nullptr) {
        editor->endMouseTracking();
    }
}

bool MouseTrackingScope::closeRequested() const {
    return editor != nullptr && editor->closeRequested();
}

void followMouseWhileHeld(DrawContext& context, Control& control, Point where,
                          const std::function<void(const Point& where)>& step) {
    const MouseTrackingScope tracking(control);
    do {
        step(where);
        // The devices are polled directly; the short sleep keeps a held button from spinning
        // a core.
        Sleep(1);
        context.getMousePosition(where);
        control.idleTick();
    } while (context.getButtonState() != 0 && !tracking.closeRequested());
}
