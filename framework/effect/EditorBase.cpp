#include "framework/effect/EditorBase.h"

EditorBase::EditorBase(EffectBase* effect) : effect(effect) {}

EditorBase::~EditorBase() = default;

std::int32_t EditorBase::getRect(ERect**) {
    return 0;
}

std::int32_t EditorBase::open(void* parent) {
    parentWindow = parent;
    return 0;
}

void EditorBase::close() {}

void EditorBase::idle() {
    // Cleared before the update so that a change posted during the update is not lost.
    if (updatePending.exchange(0, std::memory_order_relaxed) != 0) {
        update();
    }
}

void EditorBase::update() {}

void EditorBase::postUpdate() {
    updatePending.store(1, std::memory_order_relaxed);
}

std::int32_t EditorBase::openFromHost(void* parent) {
    if (trackingDepth > 0) {
        return 0;
    }
    closeIfRequested();
    return open(parent);
}

void EditorBase::closeFromHost() {
    if (trackingDepth > 0) {
        closePending = true;
        return;
    }
    close();
}

bool EditorBase::closeIfRequested() {
    if (!closePending || trackingDepth > 0) {
        return false;
    }
    closePending = false;
    close();
    return true;
}
