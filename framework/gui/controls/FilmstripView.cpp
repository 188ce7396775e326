#include "framework/gui/controls/FilmstripView.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/controls/PixelMath.h"

FilmstripView::FilmstripView(const Rect& size, ControlListener* listener, std::int32_t tag,
                             std::int32_t imageCount, std::int32_t imageHeight, Bitmap* bitmap,
                             const Point& offset)
    : Control(size, listener, tag), bitmap(bitmap), backgroundOffset(offset),
      imageCount(imageCount), imageHeight(imageHeight) {
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

FilmstripView::~FilmstripView() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void FilmstripView::draw(DrawContext& context) {
    Point source = backgroundOffset;
    if (value > 1.0f) {
        value = 1.0f;
    }
    if (value > 0.0f && imageCount > 1) {
        std::int32_t image = truncateToPixels((imageCount - 1) * static_cast<double>(value) + 0.5);
        if (image > imageCount - 1) {
            image = imageCount - 1;
        }
        source.v += image * imageHeight;
    }
    if (bitmap != nullptr) {
        bitmap->draw(context, size, source);
    }
    drawnValue = value;
}
