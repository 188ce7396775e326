#include "tools/snapshot/EditorPicture.h"

#include <new>

#include "framework/effect/GuiEditor.h"
#include "framework/effect/Module.h"
#include "framework/gui/Frame.h"
#include "platform/WinApi.h"
#include "plugins/ombrel/OmbrelBitmaps.h"
#include "plugins/ombrel/OmbrelEditEffect.h"
#include "plugins/quisel/QuiselBitmaps.h"
#include "plugins/quisel/QuiselEditEffect.h"
#include "plugins/tarvik/TarvikBitmaps.h"
#include "plugins/tarvik/TarvikEditEffect.h"

namespace snapshot {

namespace {

HINSTANCE module() {
    return static_cast<HINSTANCE>(moduleHandle);
}

template <class EditEffect, void (*registerBitmaps)(HINSTANCE)>
EffectBase* makeEffect(audioMasterCallback host) {
    registerBitmaps(module());
    return new (std::nothrow) EditEffect(host);
}

std::intptr_t VST_CALL answerVersion(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t,
                                     void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

const char* hostWindowClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = "SnapshotHost";
        return RegisterClassA(&windowClass) != 0;
    }();
    return registered ? "SnapshotHost" : nullptr;
}

} // namespace

const std::vector<EditorPlugin>& editorPlugins() {
    static const std::vector<EditorPlugin> plugins = {
        {"tarvik", &makeEffect<TarvikEditEffect, registerTarvikBitmaps>},
        {"ombrel", &makeEffect<OmbrelEditEffect, registerOmbrelBitmaps>},
        {"quisel", &makeEffect<QuiselEditEffect, registerQuiselBitmaps>},
    };
    return plugins;
}

audioMasterCallback quietHost() {
    return &answerVersion;
}

void setAllParameters(EffectBase& effect, float value) {
    for (std::int32_t p = 0; p < effect.getRecord()->numParams; ++p) {
        effect.setParameter(p, value);
    }
}

platform::testing::Image pictureOfEditor(EffectBase& effect) {
    ERect* size = nullptr;
    if (effect.dispatcher(effEditGetRect, 0, 0, &size, 0.0f) == 0 || size == nullptr ||
        hostWindowClass() == nullptr) {
        return {};
    }
    HWND host = CreateWindowExA(0, hostWindowClass(), "Host", WS_POPUP | WS_VISIBLE, 0, 0,
                                size->right - size->left, size->bottom - size->top, nullptr,
                                nullptr, nullptr, nullptr);
    platform::testing::Image picture;
    if (host != nullptr && effect.dispatcher(effEditOpen, 0, 0, host, 0.0f) == 1) {
        auto* editor = static_cast<GuiEditor*>(effect.getEditor());
        HWND window = editor->getFrame()->getWindowHandle();
        platform::testing::paint(window);
        // What the host's next idle would draw, so that values set after the paint show too.
        effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
        picture = platform::testing::windowPicture(window);
        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    }
    if (host != nullptr) {
        DestroyWindow(host);
    }
    return picture;
}

} // namespace snapshot
