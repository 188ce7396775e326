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

    // The host's open and close, as the dispatcher passes them on. A control that follows
    // the mouse runs a loop nested inside the editor's window, and that loop gives the host
    // idle time: a host that closed the editor from there would pull the controls from under
    // it. So while the mouse is tracked a close is only remembered (the loop then lets go)
    // and done by closeIfRequested once the loop has unwound (where the press came in, at
    // the next editor idle, or before the next open), and an open is refused.
    std::int32_t openFromHost(void* parentWindow);
    void closeFromHost();

    void beginMouseTracking() { ++trackingDepth; }
    void endMouseTracking() { --trackingDepth; }
    bool closeRequested() const { return closePending; }
    // Where no tracking control is on the stack any more: the close the host asked for, if
    // any. Returns whether it closed.
    bool closeIfRequested();

protected:
    EffectBase* effect;
    void* parentWindow = nullptr;
    // Written by whichever host thread sets a parameter, read on the editor's thread.
    std::atomic<std::int32_t> updatePending{0};

private:
    std::int32_t trackingDepth = 0;
    bool closePending = false;
};
