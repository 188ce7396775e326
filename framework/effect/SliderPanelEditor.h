// The editor all our plug-ins share: a background picture with one vertical slider and one
// value display per parameter, in a row. A layout (SliderPanelLayout) says which parameter
// sits where and how its display shows it; everything else is common.
//
// The two directions: a slider the user moves tells the effect through automateParameter,
// whose setParameter calls back syncParameter, which stores the value in the slider and the
// display; the slider repaints at once, the display at the next idle. A value the host sets
// takes the same setParameter path and repaints at the host's next editor idle.
//
// Lifetime: the background bitmap is loaded with the editor and kept; the track and handle
// bitmaps, the frame and the controls exist only while the editor is open. Opening an open
// editor closes it first, a failed open leaves it closed, and destroying an open editor
// closes it.
#pragma once

#include <array>
#include <cstdint>

#include "framework/effect/GuiEditor.h"
#include "framework/effect/SliderPanelLayout.h"
#include "framework/gui/controls/ControlListener.h"

class Bitmap;
class Control;
class ValueDisplay;
class VerticalSlider;

class SliderPanelEditor : public GuiEditor, public ControlListener {
public:
    static constexpr std::int32_t maxColumns = 16;

    // Loads the background and takes the editor's size from it. The layout must outlive the
    // editor (the layouts are static tables).
    SliderPanelEditor(EffectBase* effect, const SliderPanelLayout& layout);
    ~SliderPanelEditor() override;

    // 1 with the frame and every control made; 0, with the editor closed, when anything
    // could not be made.
    std::int32_t open(void* parentWindow) override;
    void close() override;
    // Reads the effect's current value back into the parameter's slider and display (the
    // value argument is not used); does nothing while the editor is closed.
    void syncParameter(std::int32_t index, float value) override;
    void valueChanged(DrawContext& context, Control* control) override;

    const SliderPanelLayout& getLayout() const { return layout; }
    std::int32_t getParameterCount() const { return parameterCount; }
    // The controls of a parameter while the editor is open; none otherwise.
    VerticalSlider* getSlider(std::int32_t parameter) const;
    ValueDisplay* getDisplay(std::int32_t parameter) const;
    Bitmap* getBackgroundBitmap() const { return backgroundBitmap; }
    Bitmap* getTrackBitmap() const { return bodyBitmap; }
    Bitmap* getHandleBitmap() const { return handleBitmap; }

private:
    bool isParameter(std::int32_t index) const { return index >= 0 && index < parameterCount; }
    float displayValue(std::int32_t parameter);
    bool makeControls();

    const SliderPanelLayout& layout;
    std::int32_t parameterCount;
    // The layout column of each parameter.
    std::array<const SliderPanelColumn*, maxColumns> columnOf{};
    std::array<VerticalSlider*, maxColumns> sliders{}; // owned by the frame
    std::array<ValueDisplay*, maxColumns> displays{};  // owned by the frame
    Bitmap* backgroundBitmap = nullptr;                // one reference held
    Bitmap* bodyBitmap = nullptr;                      // one reference held while open
    Bitmap* handleBitmap = nullptr;                    // one reference held while open
};
