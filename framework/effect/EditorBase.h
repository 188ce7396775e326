// The bare interface of an effect's editor, with a deferred update: the effect can say
// "something changed" from any call path, and the editor acts on it at its next idle.
#pragma once

#include <atomic>
#include <cstdint>

#include "framework/effect/vst2/Interface.h"

class EffectBase;

class EditorBase {
public:
    explicit EditorBase(EffectBase* effect);
    virtual ~EditorBase();

    virtual std::int32_t getRect(ERect** rect);
    virtual std::int32_t open(void* parentWindow);
    virtual void close();
    virtual void idle();
    virtual void update();
    virtual void postUpdate();

    EditorBase(const EditorBase&) = delete;
    EditorBase& operator=(const EditorBase&) = delete;

protected:
    EffectBase* effect;
    void* parentWindow = nullptr;
    // Written by whichever host thread sets a parameter, read on the editor's thread.
    std::atomic<std::int32_t> updatePending{0};
};
