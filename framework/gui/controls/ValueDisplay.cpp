#include "framework/gui/controls/ValueDisplay.h"

#include <cstdio>
#include <limits>

#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/FontTable.h"

ValueDisplay::ValueDisplay(const Rect& size, Bitmap* background, std::int32_t style)
    : Control(size, nullptr, 0), alignment(alignCenter), style(style), fontId(fontNormal),
      background(background) {
    if (background != nullptr) {
        background->addRef();
    }
}

ValueDisplay::~ValueDisplay() {
    if (background != nullptr) {
        background->release();
    }
}

void ValueDisplay::forceRedraw() {
    drawnValue = static_cast<float>(static_cast<double>(value) + 0.1);
    // For values so large that adding 0.1 changes nothing, and for infinities, pick a drawn
    // value that differs from every value, so the repaint still happens.
    if (!(drawnValue != value)) {
        drawnValue = std::numeric_limits<float>::quiet_NaN();
    }
}

void ValueDisplay::setFontId(std::int32_t newFontId) {
    if (newFontId != fontId) {
        forceRedraw();
    }
    fontId = newFontId;
}

void ValueDisplay::setTextColor(Color color) {
    if (color != textColor) {
        forceRedraw();
    }
    textColor = color;
}

void ValueDisplay::setBackgroundColor(Color color) {
    if (color != backgroundColor) {
        forceRedraw();
    }
    backgroundColor = color;
}

void ValueDisplay::setBorderColor(Color color) {
    if (color != borderColor) {
        forceRedraw();
    }
    borderColor = color;
}

void ValueDisplay::setTextShadowColor(Color color) {
    if (color != shadowColor) {
        forceRedraw();
    }
    shadowColor = color;
}

void ValueDisplay::setAlignment(std::int32_t newAlignment) {
    if (newAlignment != alignment) {
        forceRedraw();
    }
    alignment = newAlignment;
}

void ValueDisplay::setBackgroundOffset(const Point& offset) {
    backgroundOffset = offset;
}

void ValueDisplay::setValueConverter(ValueConverter newConverter) {
    converter = newConverter;
}

void ValueDisplay::makeText(char (&text)[valueTextCapacity]) {
    if (converter != nullptr) {
        text[0] = 0;
        converter(value, text);
        text[valueTextCapacity - 1] = 0; // whatever the converter did, the text ends here
    } else {
        std::snprintf(text, valueTextCapacity, "%2.2f", static_cast<double>(value));
    }
}

void ValueDisplay::draw(DrawContext& context) {
    char text[valueTextCapacity];
    makeText(text);
    drawValueText(context, text, nullptr);
}

void ValueDisplay::drawValueText(DrawContext& context, const char* text, Bitmap* bitmap) {
    const Rect& r = size;
    const bool in = (style & style3DIn) != 0;
    const bool edges = in || (style & style3DOut) != 0;

    if (bitmap != nullptr) {
        bitmap->draw(context, r, backgroundOffset);
    } else if (background != nullptr) {
        background->draw(context, r, backgroundOffset);
    } else {
        context.setFillColor(backgroundColor);
        context.fillRect(r);
        if (!edges) {
            context.setLineColor(borderColor);
            context.drawRect(r);
        }
    }

    if (edges) {
        context.setLineColor(in ? backgroundColor : borderColor);
        context.moveTo(Point(r.left, r.bottom));
        context.lineTo(Point(r.left, r.top));
        context.lineTo(Point(r.right + 1, r.top));
        context.setLineColor(in ? borderColor : backgroundColor);
        context.moveTo(Point(r.right, r.top + 1));
        context.lineTo(Point(r.right, r.bottom));
        context.lineTo(Point(r.left, r.bottom));
    }

    context.selectFont(fontId, 0);
    if ((style & styleShadowText) != 0) {
        context.setTextColor(shadowColor);
        context.drawText(text, Rect(r.left + 1, r.top + 1, r.right + 1, r.bottom + 1), false,
                         alignment);
    }
    context.setTextColor(textColor);
    context.drawText(text, r, false, alignment);

    drawnValue = value;
}
