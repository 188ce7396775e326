// A line of text on the gallery's background: the tiles' class names and the header.
#pragma once

#include <cstdint>

#include "framework/gui/Color.h"
#include "framework/gui/View.h"

namespace gallery {

class Caption : public View {
public:
    Caption(const Rect& size, const char* text, std::int32_t fontId, Color color,
            std::int32_t alignment);
    void draw(DrawContext& context) override;

private:
    const char* text;
    std::int32_t fontId;
    Color color;
    std::int32_t alignment;
};

} // namespace gallery
