#include "framework/gui/controls/Knob.h"

#include <cmath>

#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/controls/MouseTracking.h"
#include "framework/gui/controls/PixelMath.h"

namespace {

constexpr float threeQuarterTurn = 4.712389f; // the active arc, 3 pi / 2
constexpr float minimumAngle = 3.9269907f;    // 5 pi / 4, the lower left
constexpr float quarterTurn = 1.5707964f;     // pi / 2
constexpr float halfTurn = 3.1415927f;        // pi
constexpr float fullTurn = 6.2831855f;        // 2 pi
constexpr float arcPerTurn = 1.3333334f;      // a full turn over the active arc
constexpr std::int32_t stateLeftWithAlt = buttonLeft | modifierAlt;

} // namespace

Knob::Knob(const Rect& size, ControlListener* listener, std::int32_t tag, Bitmap* background,
           Bitmap* handle, const Point& backgroundOffset)
    : Control(size, listener, tag), background(background), handle(handle),
      backgroundOffset(backgroundOffset) {
    if (handle != nullptr) {
        inset = handle->getWidth() / 2;
        handle->addRef();
    }
    if (background != nullptr) {
        background->addRef();
    }
}

Knob::~Knob() {
    if (handle != nullptr) {
        handle->release();
    }
    if (background != nullptr) {
        background->release();
    }
}

void Knob::setBackground(Bitmap* newBackground) {
    if (background != nullptr) {
        background->release();
    }
    background = newBackground;
    if (background != nullptr) {
        background->addRef();
    }
}

Bitmap* Knob::getBackground() {
    return background;
}

void Knob::pointForValue(Point& point) {
    const float range = maximum - minimum;
    const float radius = static_cast<float>(((size.right - size.left) - 2 * inset) / 2.0);
    float angle = minimumAngle;
    // Without a range every value stands for the minimum; the angle would be undefined.
    if (range != 0.0f) {
        angle = threeQuarterTurn / range * (value - minimum) + minimumAngle;
    }
    if (!std::isfinite(angle)) {
        angle = minimumAngle;
    }
    point.h = truncateToPixels(radius * std::sin(angle) + radius) + inset;
    point.v = truncateToPixels(radius - radius * std::cos(angle)) + inset;
}

float Knob::valueForPoint(const Point& point) {
    const float range = maximum - minimum;
    const float radius = static_cast<float>(((size.right - size.left) - 2 * inset) / 2.0);
    const float dx = static_cast<float>(point.h - inset) - radius;
    const float dy = radius - static_cast<float>(point.v - inset); // grows upward

    float alpha = 0.0f;
    if (!(std::fabs(dy) < 1e-12f && std::fabs(dx) < 1e-12f)) {
        alpha = -std::atan(dx / dy);
    }
    alpha = alpha + quarterTurn;
    if (dy < 0.0f) {
        alpha = alpha + halfTurn;
    }
    // Counter-clockwise from the rightward direction, as a fraction of a turn.
    const float turn = alpha / fullTurn;
    if (turn > 0.625f && turn < 0.875f) {
        return turn < 0.75f ? minimum : maximum;
    }
    float along = turn >= 0.875f ? turn - 0.875f : turn + 0.125f;
    along = along * arcPerTurn;
    float result = (range - along * range) + minimum;
    if (result > maximum) {
        result = maximum;
    }
    if (result < minimum) {
        result = minimum;
    }
    return result;
}

void Knob::draw(DrawContext& context) {
    if (handle == nullptr) {
        drawnValue = value;
        return;
    }
    if (background != nullptr) {
        background->draw(context, size, backgroundOffset);
    }
    Point where;
    pointForValue(where);
    where.h += size.left - inset;
    where.v += size.top - inset;
    handle->drawMasked(
        context,
        Rect(where.h, where.v, where.h + handle->getWidth(), where.v + handle->getHeight()),
        Point(0, 0));
    drawnValue = value;
}

void Knob::onMouseDown(DrawContext& context, const Point& where) {
    if (!acceptsMouse()) {
        return;
    }
    if (context.getButtonState() == stateLeftWithAlt) {
        value = getDefaultValue();
        tellListenerIfChanged(context, *this);
        return;
    }
    followMouseWhileHeld(context, *this, where, [&](const Point& cursor) {
        const Point relative(cursor.h - (size.left - inset), cursor.v - (size.top - inset));
        value = valueForPoint(relative);
        tellListenerIfChanged(context, *this);
    });
}
