#include "framework/gui/View.h"

#include "framework/gui/Frame.h"
#include "framework/gui/OffscreenContext.h"

View::View(const Rect& size) : size(size) {}

View::~View() = default;

void View::draw(DrawContext&) {}

void View::onMouseDown(DrawContext&, const Point&) {}

void View::drawIfChanged(DrawContext&) {}

void View::endEditing() {}

void View::beginEditing() {}

void View::setBackingStore(OffscreenContext* store) {
    if (store != nullptr && store->getWidth() >= size.width() &&
        store->getHeight() >= size.height()) {
        backingStore = store;
    }
}

void View::redrawNow() {
    if (frame != nullptr) {
        frame->redrawView(this);
    }
}
