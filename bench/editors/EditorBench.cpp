// What the Tarvik editor costs on the user-interface thread, headless: a full paint (the
// background, nine sliders composed offscreen with their masked handles, nine displays), and
// one step of a slider drag (the value change, the automation round trip to the effect and
// the host, the slider's redraw).
#include <benchmark/benchmark.h>

#include <memory>

#include "framework/effect/SliderPanelEditor.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/VerticalSlider.h"
#include "platform/WinApi.h"
#include "platform/testing/Testing.h"
#include "tools/snapshot/EditorPicture.h"

namespace {

// The Tarvik editor open in a host window, first paint done.
class OpenTarvikEditor {
public:
    OpenTarvikEditor() {
        effect.reset(snapshot::editorPlugins().front().make(snapshot::quietHost()));
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.lpszClassName = "BenchHost";
        RegisterClassA(&windowClass);
        host = CreateWindowExA(0, "BenchHost", "Host", WS_POPUP | WS_VISIBLE, 0, 0, 350, 290,
                               nullptr, nullptr, nullptr, nullptr);
        effect->dispatcher(effEditOpen, 0, 0, host, 0.0f);
        platform::testing::paint(window());
    }
    ~OpenTarvikEditor() {
        effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        effect.reset();
        DestroyWindow(host);
    }

    SliderPanelEditor* editor() { return static_cast<SliderPanelEditor*>(effect->getEditor()); }
    HWND window() { return editor()->getFrame()->getWindowHandle(); }

    std::unique_ptr<EffectBase> effect;
    HWND host = nullptr;
};

void fullPaint(benchmark::State& state) {
    OpenTarvikEditor open;
    for (auto _ : state) {
        open.editor()->redraw(nullptr);
    }
}
BENCHMARK(fullPaint)->Unit(benchmark::kMicrosecond);

void sliderDragStep(benchmark::State& state) {
    OpenTarvikEditor open;
    VerticalSlider* slider = open.editor()->getSlider(3);
    HDC dc = GetDC(open.window());
    {
        DrawContext context(open.editor()->getFrame(), dc, open.window());
        int row = 0;
        for (auto _ : state) {
            // What one pass of the drag loop does for a new cursor row.
            row = (row + 1) % 147;
            slider->setValue(1.0f - static_cast<float>(row) / 147.0f);
            open.editor()->valueChanged(context, slider);
        }
    }
    ReleaseDC(open.window(), dc);
}
BENCHMARK(sliderDragStep)->Unit(benchmark::kMicrosecond);

} // namespace
