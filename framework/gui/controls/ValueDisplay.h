// Shows its value as one line of text, over a background bitmap or in a filled box with a
// border, optionally with flat 3-D edges and a one-pixel shadow under the text. The text comes
// from the installed converter, or else from "%2.2f". It does not react to the mouse.
//
// The appearance setters force a repaint at the next drawIfChanged only when they change
// something that is seen.
#pragma once

#include <cstdint>

#include "framework/gui/Color.h"
#include "framework/gui/controls/Control.h"
#include "framework/gui/controls/ControlStyles.h"
#include "framework/gui/controls/ValueConverter.h"

class Bitmap;

class ValueDisplay : public Control {
public:
    // Adds a reference to the background, if there is one. The style bits read here are
    // styleShadowText, style3DIn and style3DOut.
    ValueDisplay(const Rect& size, Bitmap* background, std::int32_t style);
    ~ValueDisplay() override;

    void draw(DrawContext& context) override;

    virtual void setFontId(std::int32_t fontId);
    virtual void setTextColor(Color color);
    virtual void setBackgroundColor(Color color);
    virtual void setBorderColor(Color color);
    virtual void setTextShadowColor(Color color);
    virtual void setAlignment(std::int32_t alignment);
    virtual void setBackgroundOffset(const Point& offset);
    virtual void setValueConverter(ValueConverter converter);

    // Draws the text the way this display looks; a given bitmap replaces the background.
    // Records the value as drawn. Controls built on the display draw their own texts with it.
    void drawValueText(DrawContext& context, const char* text, Bitmap* bitmap);

    // The text draw() would show for the current value.
    void makeText(char (&text)[valueTextCapacity]);

    std::int32_t getFontId() const { return fontId; }
    Color getTextColor() const { return textColor; }
    Color getBackgroundColor() const { return backgroundColor; }
    Color getBorderColor() const { return borderColor; }
    Color getTextShadowColor() const { return shadowColor; }
    std::int32_t getAlignment() const { return alignment; }
    std::int32_t getStyle() const { return style; }
    ValueConverter getValueConverter() const { return converter; }

private:
    void forceRedraw();

    std::int32_t alignment;
    std::int32_t style;
    std::int32_t fontId;
    Color textColor = colorWhite;
    Color backgroundColor = colorBlack;
    Color borderColor = colorBlack;
    Color shadowColor = colorRed;
    Point backgroundOffset{0, 0};
    Bitmap* background; // one reference held, may be none
    ValueConverter converter = nullptr;
};
