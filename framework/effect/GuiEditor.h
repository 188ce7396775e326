// The base of the bitmap editors: the rectangle the host asks for, the frame while the
// editor is open, idle time passed on to the frame, and a throttled idle for controls that
// track the mouse.
//
// Lifetime contract for derived editors. A derived editor makes its frame in open() and
// destroys it in close(); its destructor must also destroy a frame that is still open
// (the host may destroy the effect, and with it the editor, without closing the editor
// first). The frame's views report to the derived editor's listener part, so only the derived
// destructor can close them while that part still exists. As a last resort this class's
// destructor destroys a frame that is left, after cutting it off from the editor, so that its
// window and controls never call a destroyed editor; an edit box still open is then dropped
// without reporting its text.
#pragma once

#include <cstdint>

#include "framework/effect/EditorBase.h"
#include "framework/effect/vst2/Interface.h"

class Frame;

class GuiEditor : public EditorBase {
public:
    // Attaches itself to the effect, which from then on owns it.
    explicit GuiEditor(EffectBase* effect);
    ~GuiEditor() override;

    std::int32_t getRect(ERect** rect) override;
    std::int32_t open(void* parentWindow) override;
    void close() override;
    void idle() override;
    void update() override;
    void postUpdate() override;

    virtual void syncParameter(std::int32_t index, float value);
    // Draws the whole frame at once.
    virtual void redraw(void* unused);

    EffectBase* getEffect() const { return effect; }
    Frame* getFrame() const { return frame; }
    // Runs the editor's idle and the host's idle, at most once every 50 ms.
    void throttledIdle();

protected:
    ERect rect{0, 0, 0, 0};
    Frame* frame = nullptr; // owned while open
    std::uint32_t lastIdleTime;
};
