#include "framework/gui/controls/PopupImage.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/MouseTracking.h"

PopupImage::PopupImage(const Rect& size, ControlListener* listener, std::int32_t tag,
                       Bitmap* bitmap, const Rect& popupRect, const Point& offset)
    : Control(size, listener, tag), popupRect(popupRect), bitmap(bitmap), backgroundOffset(offset) {
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

PopupImage::~PopupImage() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void PopupImage::draw(DrawContext& context) {
    if (value != 0.0f && bitmap != nullptr) {
        bitmap->draw(context, popupRect, backgroundOffset);
    }
    drawnValue = value;
}

void PopupImage::onMouseDown(DrawContext& context, const Point&) {
    if (!acceptsMouse()) {
        return;
    }
    if (value == 0.0f) {
        if (frame == nullptr || !frame->setExclusiveView(this)) {
            return;
        }
        value = 1.0f;
        savedRect = size;
        size = popupRect;
        draw(context);
        tellListener(context, *this);
        return;
    }
    value = 0.0f;
    size = savedRect;
    if (frame != nullptr) {
        frame->setExclusiveView(nullptr);
        frame->draw(context); // paints over the image
    }
    tellListener(context, *this);
}
