#include "tools/gallery/Caption.h"

#include "framework/gui/DrawContext.h"

namespace gallery {

Caption::Caption(const Rect& size, const char* text, std::int32_t fontId, Color color,
                 std::int32_t alignment)
    : View(size), text(text), fontId(fontId), color(color), alignment(alignment) {}

void Caption::draw(DrawContext& context) {
    context.selectFont(fontId);
    context.setTextColor(color);
    context.drawText(text, size, false, alignment);
}

} // namespace gallery
