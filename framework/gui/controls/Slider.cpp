#include "framework/gui/controls/Slider.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/OffscreenContext.h"
#include "framework/gui/controls/ControlListener.h"
#include "framework/gui/controls/MouseTracking.h"
#include "platform/WinApi.h"

namespace {

constexpr std::int32_t stateLeftAlone = buttonLeft;
constexpr std::int32_t stateLeftWithShift = buttonLeft | modifierShift;
constexpr std::int32_t stateLeftWithAlt = buttonLeft | modifierAlt;

// Drops the fraction. Values set from outside are not range-checked, so the product can be far
// beyond what an int holds; the caller clamps the result to the travel anyway.
std::int32_t truncateToPixels(double pixels) {
    if (!(pixels > -1.0e9)) { // also catches NaN
        return -1000000000;
    }
    if (pixels > 1.0e9) {
        return 1000000000;
    }
    return static_cast<std::int32_t>(pixels);
}

} // namespace

Slider::Slider(Axis axis, const Rect& size, ControlListener* listener, std::int32_t tag,
               std::int32_t minimumPosition, std::int32_t maximumPosition, Bitmap* handle,
               Bitmap* body, const Point& bodyOffset, std::int32_t style)
    : Control(size, listener, tag), axis(axis), handle(handle), body(body), bodyOffset(bodyOffset),
      minimumPosition(minimumPosition), maximumPosition(maximumPosition), style(style),
      handlePosition(maximumPosition), controlWidth(size.width()), controlHeight(size.height()) {
    if (handle != nullptr) {
        handleWidth = handle->getWidth();
        handleHeight = handle->getHeight();
        handle->addRef();
    }
    if (body != nullptr) {
        body->addRef();
    }
    if (isVertical()) {
        lowLimit = minimumPosition - size.top;
        highLimit = maximumPosition + handleHeight - size.top;
    } else {
        lowLimit = minimumPosition - size.left;
        highLimit = maximumPosition + handleWidth - size.left;
    }
}

Slider::~Slider() {
    if (handle != nullptr) {
        handle->release();
    }
    if (body != nullptr) {
        body->release();
    }
}

void Slider::setTransparentHandle(bool state) {
    transparentHandle = state;
}

void Slider::setHandleOffset(const Point& offset) {
    handleOffset = offset;
}

void Slider::draw(DrawContext& context) {
    const bool zeroAtStart = (style & (isVertical() ? styleOriginTop : styleOriginLeft)) != 0;
    const float norm = zeroAtStart ? value : static_cast<float>(1.0 - value);

    OffscreenContext offscreen(frame, controlWidth, controlHeight, colorBlack);
    if (body != nullptr) {
        body->draw(offscreen, Rect(0, 0, controlWidth, controlHeight), bodyOffset);
    }

    const float range = static_cast<float>(maximumPosition - minimumPosition);
    const std::int32_t travelled =
        truncateToPixels(static_cast<double>(norm) * static_cast<double>(range));
    Rect handleRect;
    if (isVertical()) {
        handleRect.left = handleOffset.h;
        handleRect.right = handleRect.left + handleWidth;
        handleRect.top = keepOnTrack(handleOffset.v + travelled, handleHeight);
        handleRect.bottom = handleRect.top + handleHeight;
        if (handleRect.bottom > highLimit) {
            handleRect.bottom = highLimit;
        }
    } else {
        handleRect.top = handleOffset.v;
        handleRect.bottom = handleRect.top + handleHeight;
        handleRect.left = keepOnTrack(handleOffset.h + travelled, handleWidth);
        handleRect.right = handleRect.left + handleWidth;
        if (handleRect.right > highLimit) {
            handleRect.right = highLimit;
        }
    }

    if (handle != nullptr) {
        if (transparentHandle) {
            handle->drawMasked(offscreen, handleRect, Point(0, 0));
        } else {
            handle->draw(offscreen, handleRect, Point(0, 0));
        }
    }
    offscreen.blitTo(context, size, Point(0, 0));

    handlePosition = isVertical() ? handleRect.top + size.top : handleRect.left + size.left;
    drawnValue = value;
}

std::int32_t Slider::keepOnTrack(std::int32_t leading, std::int32_t length) const {
    // A value beyond 0..1 (the host's values are not range-checked) would otherwise put the
    // handle past the far end, out of sight and out of reach of the next press; it stays
    // whole at that end instead. Values within 0..1 never reach the far limit.
    if (leading > highLimit - length) {
        leading = highLimit - length;
    }
    if (leading < lowLimit) {
        leading = lowLimit;
    }
    return leading;
}

bool Slider::hitsHandle(const Point& where) const {
    // All four edges count, so a press on the handle's far edge still grips it.
    if (isVertical()) {
        return where.h >= size.left && where.h <= size.left + handleWidth &&
               where.v >= handlePosition && where.v <= handlePosition + handleHeight;
    }
    return where.h >= handlePosition && where.h <= handlePosition + handleWidth &&
           where.v >= size.top && where.v <= size.top + handleHeight;
}

void Slider::reportChange(DrawContext& context) {
    if (value != drawnValue && listener != nullptr) {
        listener->valueChanged(context, this);
    }
}

void Slider::onMouseDown(DrawContext& context, const Point& where) {
    if (!acceptsMouse()) {
        return;
    }
    if (context.getButtonState() == stateLeftWithAlt) {
        value = getDefaultValue();
        reportChange(context);
        return;
    }
    std::int32_t state = context.getButtonState();
    if (state != stateLeftAlone && state != stateLeftWithShift) {
        return;
    }
    if (!hitsHandle(where)) {
        return;
    }
    const float range = static_cast<float>(maximumPosition - minimumPosition);
    if (range == 0.0f) {
        return; // no travel to drag along
    }
    const bool measuredFromEnd =
        (style & (isVertical() ? styleOriginBottom : styleOriginRight)) != 0;
    const std::int32_t grip = along(where) - handlePosition;
    float reference = value;
    std::int32_t held = state;
    Point cursor = where;
    const MouseTrackingScope tracking(*this);
    do {
        float next =
            static_cast<float>(static_cast<double>(along(cursor) - minimumPosition - grip) / range);
        if (measuredFromEnd) {
            next = static_cast<float>(1.0 - next);
        }
        if ((state & modifierShift) != 0) {
            next = static_cast<float>(reference + (static_cast<double>(next) - reference) / 10.0);
        }
        // A fine drag from a value the host left as NaN must not hand NaN back to it.
        if (!(next >= 0.0f)) {
            next = 0.0f;
        } else if (next > 1.0f) {
            next = 1.0f;
        }
        value = next;
        reportChange(context);

        // The drag polls the devices directly; a short sleep keeps a held button from
        // spinning a core.
        Sleep(1);
        context.getMousePosition(cursor);
        idleTick();
        state = context.getButtonState();
        if (state != held && (state & modifierShift) != 0) {
            reference = value;
            held = state;
        }
    } while ((state == stateLeftAlone || state == stateLeftWithShift) &&
             !tracking.closeRequested());
}
