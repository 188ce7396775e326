// Drives an open editor with what a user and a host do at random: presses and drags with
// any buttons and modifiers, host parameter changes and program switches, idles at any
// pace, and closing and reopening, on the headless window system.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/effect/EffectBase.h"
#include "framework/effect/SliderPanelEditor.h"
#include "framework/gui/Frame.h"
#include "platform/testing/Testing.h"
#include "tests/fuzz/FuzzInput.h"
#include "tools/snapshot/EditorPicture.h"

namespace pt = platform::testing;

namespace {

HWND makeHostWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.lpszClassName = "FuzzHost";
        registered = RegisterClassA(&windowClass) != 0;
    }
    return CreateWindowExA(0, "FuzzHost", "Host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 320, nullptr,
                           nullptr, nullptr, nullptr);
}

std::intptr_t dispatch(AEffect* record, std::int32_t opcode, std::intptr_t value = 0,
                       void* ptr = nullptr) {
    return record->dispatcher(record, opcode, 0, value, ptr, 0.0f);
}

// The editor's own window while it is open; the host's window otherwise, which ignores
// what it is sent.
HWND frameWindowOf(EffectBase& effect, HWND host) {
    auto* editor = static_cast<SliderPanelEditor*>(effect.getEditor());
    Frame* frame = editor != nullptr ? editor->getFrame() : nullptr;
    HWND window = frame != nullptr ? frame->getWindowHandle() : nullptr;
    return window != nullptr ? window : host;
}

// A drag: a few successive pointer states that the control's tracking loop will poll.
std::vector<pt::InputState> takeDrag(FuzzInput& in, int x, int y) {
    std::vector<pt::InputState> states;
    const int steps = in.takeByte() % 8;
    pt::InputState state;
    state.left = true;
    state.cursor = {x, y};
    // The press itself, so that the script always holds the button before it lets go.
    states.push_back(state);
    for (int i = 0; i < steps; ++i) {
        const std::uint8_t flags = in.takeByte();
        state.shift = (flags & 1) != 0;
        state.alt = (flags & 2) != 0;
        state.control = (flags & 4) != 0;
        state.cursor.x += static_cast<std::int8_t>(in.takeByte());
        state.cursor.y += static_cast<std::int8_t>(in.takeByte());
        states.push_back(state);
    }
    // The user lets go of everything in the end; a tracking loop waits as long as any
    // button or modifier is held, as it should for a real user.
    state = pt::InputState{};
    state.cursor = states.back().cursor;
    states.push_back(state);
    return states;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const auto& plugins = snapshot::editorPlugins();
    std::unique_ptr<EffectBase> effect(
        plugins[in.takeByte() % plugins.size()].make(snapshot::quietHost()));
    if (!effect) {
        return 0;
    }
    pt::resetInput();
    pt::setSleepFree(true);
    pt::setTickCount(1000);
    HWND host = makeHostWindow();
    AEffect* record = effect->getRecord();
    dispatch(record, effEditOpen, 0, host);

    int steps = 0;
    while (!in.empty() && steps++ < 48) {
        switch (in.takeByte() % 8) {
        case 0:
        case 1: {
            const int x = in.takeByte() % 360;
            const int y = in.takeByte() % 300;
            const std::uint8_t how = in.takeByte();
            pt::scriptInput(takeDrag(in, x, y));
            pt::pressMouse(frameWindowOf(*effect, host), x, y,
                           (how & 1) ? pt::Button::right : pt::Button::left, (how & 2) != 0,
                           (how & 4) != 0, (how & 8) != 0);
            pt::resetInput();
            pt::setSleepFree(true);
            break;
        }
        case 2:
            record->setParameter(record, static_cast<std::int32_t>(in.takeByte() % 12) - 1,
                                 in.takeFloat());
            break;
        case 3:
            dispatch(record, effSetProgram, static_cast<std::int32_t>(in.takeByte() % 18) - 1);
            break;
        case 4:
            pt::advanceTickCount(in.takeByte());
            dispatch(record, effEditIdle);
            break;
        case 5:
            pt::paint(frameWindowOf(*effect, host));
            break;
        case 6:
            dispatch(record, effEditClose);
            break;
        case 7:
            dispatch(record, effEditOpen, 0, host);
            break;
        }
    }
    // Sometimes the host closes the plug-in with its editor still open.
    if (in.takeBool()) {
        dispatch(record, effEditClose);
    }
    effect.reset();
    DestroyWindow(host);
    pt::resetInput();
    return 0;
}
