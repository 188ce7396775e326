#include "framework/effect/SliderPanelEditor.h"

#include <new>

#include "framework/effect/EffectBase.h"
#include "framework/effect/PercentText.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/FontTable.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/ValueDisplay.h"
#include "framework/gui/controls/VerticalSlider.h"

namespace {

// A plain box with a border: no shadow, no 3-D edges.
constexpr std::int32_t displayStyle = 1;

void releaseBitmap(Bitmap*& bitmap) {
    if (bitmap != nullptr) {
        bitmap->release();
        bitmap = nullptr;
    }
}

} // namespace

SliderPanelEditor::SliderPanelEditor(EffectBase* effect, const SliderPanelLayout& layout)
    : GuiEditor(effect), layout(layout), parameterCount(0) {
    // Columns beyond what the editor can hold, or naming no parameter it can hold, are left
    // out rather than written past the control arrays.
    const std::int32_t count = layout.columnCount < maxColumns ? layout.columnCount : maxColumns;
    parameterCount = count > 0 ? count : 0;
    for (std::int32_t k = 0; k < parameterCount; ++k) {
        const std::int32_t p = layout.columns[k].parameter;
        if (isParameter(p)) {
            columnOf[p] = &layout.columns[k];
        }
    }

    backgroundBitmap = new (std::nothrow) Bitmap(bitmapBackground);
    if (backgroundBitmap != nullptr) {
        rect.top = 0;
        rect.left = 0;
        rect.bottom = static_cast<std::int16_t>(backgroundBitmap->getHeight());
        rect.right = static_cast<std::int16_t>(backgroundBitmap->getWidth());
    }
}

SliderPanelEditor::~SliderPanelEditor() {
    // The host may destroy the effect, and with it this editor, while the editor is open: the
    // controls report to this object, so they go before it does.
    close();
    releaseBitmap(backgroundBitmap);
}

VerticalSlider* SliderPanelEditor::getSlider(std::int32_t parameter) const {
    return frame != nullptr && isParameter(parameter) ? sliders[parameter] : nullptr;
}

ValueDisplay* SliderPanelEditor::getDisplay(std::int32_t parameter) const {
    return frame != nullptr && isParameter(parameter) ? displays[parameter] : nullptr;
}

float SliderPanelEditor::displayValue(std::int32_t parameter) {
    const float scale = columnOf[parameter] != nullptr ? columnOf[parameter]->displayScale : 1.0f;
    return effect->getParameter(parameter) * scale;
}

std::int32_t SliderPanelEditor::open(void* parentWindow) {
    // Hosts do open an open editor again: one frame, one window, one set of references.
    if (frame != nullptr) {
        close();
    }
    GuiEditor::open(parentWindow);
    if (bodyBitmap == nullptr) {
        bodyBitmap = new (std::nothrow) Bitmap(bitmapSliderTrack);
    }
    if (handleBitmap == nullptr) {
        handleBitmap = new (std::nothrow) Bitmap(bitmapSliderHandle);
    }
    if (backgroundBitmap == nullptr || bodyBitmap == nullptr || handleBitmap == nullptr) {
        close();
        return 0;
    }
    frame = new (std::nothrow)
        Frame(Rect(0, 0, backgroundBitmap->getWidth(), backgroundBitmap->getHeight()), parentWindow,
              this);
    if (frame == nullptr) {
        close();
        return 0;
    }
    frame->setBackgroundBitmap(backgroundBitmap);
    if (!makeControls()) {
        close();
        return 0;
    }
    return 1;
}

bool SliderPanelEditor::makeControls() {
    const std::int32_t trackWidth = bodyBitmap->getWidth();
    const std::int32_t trackHeight = bodyBitmap->getHeight();
    const std::int32_t pitch = trackWidth + sliderPanelColumnGap;
    const std::int32_t top = layout.sliderTop;
    const std::int32_t bottomPosition = top + trackHeight - handleBitmap->getHeight() - 1;

    // Sliders first, then displays, each row from left to right: the frame hands a press to
    // the control attached last, and paints in attach order.
    for (std::int32_t k = 0; k < parameterCount; ++k) {
        const SliderPanelColumn& column = layout.columns[k];
        if (!isParameter(column.parameter)) {
            continue;
        }
        const std::int32_t left = sliderPanelFirstSliderLeft + k * pitch;
        auto* slider = new (std::nothrow) VerticalSlider(
            Rect(left, top, left + trackWidth, top + trackHeight), this, column.parameter, top,
            bottomPosition, handleBitmap, bodyBitmap, Point(0, 0), styleOriginBottom);
        if (slider == nullptr) {
            return false;
        }
        // The 14-pixel handle sits one pixel in from the track's left edge.
        slider->setHandleOffset(Point(1, 0));
        slider->setValue(effect->getParameter(column.parameter));
        slider->setDefaultValue(column.defaultValue);
        if (!frame->attachView(slider)) {
            delete slider;
            return false;
        }
        sliders[column.parameter] = slider;
    }

    for (std::int32_t k = 0; k < parameterCount; ++k) {
        const SliderPanelColumn& column = layout.columns[k];
        if (!isParameter(column.parameter)) {
            continue;
        }
        const std::int32_t left = sliderPanelFirstDisplayLeft + k * pitch;
        auto* display = new (std::nothrow)
            ValueDisplay(Rect(left, layout.displayTop, left + sliderPanelDisplayWidth,
                              layout.displayTop + sliderPanelDisplayHeight),
                         nullptr, displayStyle);
        if (display == nullptr) {
            return false;
        }
        display->setFontId(fontSmall);
        display->setTextColor(colorBlack);
        display->setBackgroundColor(colorWhite);
        display->setBorderColor(colorBlack);
        display->setValue(displayValue(column.parameter));
        if (column.percent) {
            display->setValueConverter(percentText);
        }
        if (!frame->attachView(display)) {
            delete display;
            return false;
        }
        displays[column.parameter] = display;
    }
    return true;
}

void SliderPanelEditor::close() {
    if (frame != nullptr) {
        delete frame; // and with it every attached control
        frame = nullptr;
    }
    sliders.fill(nullptr);
    displays.fill(nullptr);
    releaseBitmap(bodyBitmap);
    releaseBitmap(handleBitmap);
}

void SliderPanelEditor::syncParameter(std::int32_t index, float) {
    if (frame == nullptr) {
        return;
    }
    if (isParameter(index)) {
        if (sliders[index] != nullptr) {
            sliders[index]->setValue(effect->getParameter(index));
        }
        if (displays[index] != nullptr) {
            displays[index]->setValue(displayValue(index));
        }
    }
    postUpdate();
}

void SliderPanelEditor::valueChanged(DrawContext& context, Control* control) {
    if (control == nullptr || !isParameter(control->getTag())) {
        return;
    }
    effect->automateParameter(control->getTag(), control->getValue());
    control->drawIfChanged(context);
}
