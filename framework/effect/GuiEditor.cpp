#include "framework/effect/GuiEditor.h"

#include "framework/effect/EffectBase.h"
#include "framework/gui/Frame.h"
#include "platform/WinApi.h"

namespace {

constexpr std::uint32_t idleInterval = 50; // milliseconds

} // namespace

GuiEditor::GuiEditor(EffectBase* effect) : EditorBase(effect) {
    if (effect != nullptr) {
        effect->attachEditor(this);
    }
    lastIdleTime = GetTickCount();
}

GuiEditor::~GuiEditor() {
    if (frame != nullptr) {
        // The derived editor should have closed it; see the contract in the header.
        frame->forgetEditor();
        delete frame;
        frame = nullptr;
    }
    // Whoever destroys the editor, the effect must not destroy it a second time.
    if (effect != nullptr && effect->getEditor() == this) {
        effect->attachEditor(nullptr);
    }
}

std::int32_t GuiEditor::getRect(ERect** target) {
    if (target == nullptr) {
        return 0;
    }
    *target = &rect;
    return 1;
}

std::int32_t GuiEditor::open(void* parent) {
    postUpdate();
    return EditorBase::open(parent);
}

void GuiEditor::close() {
    EditorBase::close();
}

void GuiEditor::idle() {
    EditorBase::idle();
    if (frame != nullptr) {
        frame->idle();
    }
}

void GuiEditor::update() {
    EditorBase::update();
}

void GuiEditor::postUpdate() {
    EditorBase::postUpdate();
}

void GuiEditor::syncParameter(std::int32_t, float) {
    postUpdate();
}

void GuiEditor::redraw(void*) {
    if (frame != nullptr) {
        frame->redrawView(nullptr);
    }
}

void GuiEditor::throttledIdle() {
    // The unsigned difference stays right across the wrap of the 32-bit millisecond count.
    const std::uint32_t now = GetTickCount();
    if (now - lastIdleTime < idleInterval) {
        return;
    }
    lastIdleTime = now;
    idle();
    if (effect != nullptr) {
        effect->hostIdle();
    }
}
