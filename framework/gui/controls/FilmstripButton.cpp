#include "framework/gui/controls/FilmstripButton.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/controls/ButtonPress.h"

FilmstripButton::FilmstripButton(const Rect& size, ControlListener* listener, std::int32_t tag,
                                 std::int32_t imageHeight, Bitmap* bitmap, const Point& offset)
    : Control(size, listener, tag), bitmap(bitmap), backgroundOffset(offset),
      imageHeight(imageHeight) {
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

FilmstripButton::~FilmstripButton() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void FilmstripButton::draw(DrawContext& context) {
    if (value > 1.0f) {
        value = 1.0f;
    } else if (value < 0.0f) {
        value = 0.0f;
    }
    if (bitmap != nullptr) {
        bitmap->draw(context, size, Point(0, value != 0.0f ? imageHeight : 0));
    }
    drawnValue = value;
}

void FilmstripButton::onMouseDown(DrawContext& context, const Point& where) {
    if (!acceptsMouse()) {
        return;
    }
    trackButtonPress(context, *this, where);
}
