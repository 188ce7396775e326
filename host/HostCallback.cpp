#include "host/HostCallback.h"

#include <algorithm>
#include <cstring>

namespace vsthost {

namespace {

thread_local HostContext* pendingContext = nullptr;

// Records and their contexts. A slot is claimed by publishing its record after its
// context, so a reader that finds the record also sees the context.
struct RecordSlot {
    std::atomic<AEffect*> effect{nullptr};
    std::atomic<HostContext*> context{nullptr};
};
constexpr std::size_t recordSlotCount = 1024;
std::array<RecordSlot, recordSlotCount> recordSlots;
std::atomic<bool> claimLock{false};
// Slots at or above this were never claimed; lookups stop there.
std::atomic<std::size_t> slotsInUse{0};

HostContext* findContext(const AEffect* effect) {
    const std::size_t used = slotsInUse.load(std::memory_order_acquire);
    for (std::size_t i = 0; i < used; ++i) {
        if (recordSlots[i].effect.load(std::memory_order_acquire) == effect) {
            return recordSlots[i].context.load(std::memory_order_relaxed);
        }
    }
    return nullptr;
}

// Answers for callbacks that reach the host with no record it knows, for instance a
// version query from a plug-in's own thread: the stateless questions still get the same
// answers as for a known instance.
HostContext& fallbackContext() {
    static HostContext context;
    return context;
}

void copyText(void* destination, const char* text, std::size_t capacity) {
    if (destination == nullptr) {
        return;
    }
    char* target = static_cast<char*>(destination);
    const std::size_t length = std::min(std::strlen(text), capacity - 1);
    std::memcpy(target, text, length);
    target[length] = '\0';
}

// Capabilities this host has: it idles plug-ins and starts and stops processing; it sends
// no events and no time information.
std::intptr_t canDo(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    for (const char* yes : {"supplyIdle", "startStopProcess", "sizeWindow"}) {
        if (std::strcmp(text, yes) == 0) {
            return 1;
        }
    }
    for (const char* no : {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo",
                           "receiveVstEvents", "receiveVstMidiEvent", "offline", "openFileSelector",
                           "closeFileSelector", "editFile", "shellCategory"}) {
        if (std::strcmp(text, no) == 0) {
            return -1;
        }
    }
    return 0;
}

} // namespace

HostContext::HostContext() {
    for (auto& count : calls) {
        count.store(0, std::memory_order_relaxed);
    }
}

void HostContext::setDirectory(const std::string& folder) {
    copyText(directory.data(), folder.c_str(), directory.size());
}

std::uint32_t HostContext::callCount(std::int32_t opcode) const {
    const std::size_t slot = opcode >= 0 && opcode <= highestOpcode
                                 ? static_cast<std::size_t>(opcode)
                                 : calls.size() - 1;
    return calls[slot].load(std::memory_order_relaxed);
}

std::intptr_t HostContext::answer(AEffect* effect, std::int32_t opcode, std::int32_t index,
                                  std::intptr_t value, void* ptr, float opt) {
    const std::size_t slot = opcode >= 0 && opcode <= highestOpcode
                                 ? static_cast<std::size_t>(opcode)
                                 : calls.size() - 1;
    calls[slot].fetch_add(1, std::memory_order_relaxed);
    (void)effect;
    switch (opcode) {
    case audioMasterAutomate:
        lastAutomatedIndex.store(index, std::memory_order_relaxed);
        lastAutomatedValue.store(opt, std::memory_order_relaxed);
        return 0;
    case audioMasterVersion:
        return hostInterfaceVersion;
    case audioMasterCurrentId:
        return uniqueId.load(std::memory_order_relaxed);
    case audioMasterIdle:
        if (idleReaction) {
            idleReaction();
        }
        return 0;
    case audioMasterPinConnected: {
        // 0 means connected: every pin the plug-in declared is.
        const std::int32_t pins = value != 0 ? numOutputs.load(std::memory_order_relaxed)
                                             : numInputs.load(std::memory_order_relaxed);
        return index >= 0 && index < pins ? 0 : 1;
    }
    case audioMasterWantMidi:
    case audioMasterGetTime:
    case audioMasterProcessEvents:
    case audioMasterSetTime:
    case audioMasterTempoAt:
        return 0;
    case audioMasterGetNumAutomatableParameters:
    case audioMasterGetParameterQuantization:
        return 0;
    case audioMasterIOChanged:
        return 0;
    case audioMasterNeedIdle:
        return 1;
    case audioMasterSizeWindow:
        return 0;
    case audioMasterGetSampleRate:
        return static_cast<std::intptr_t>(sampleRate.load(std::memory_order_relaxed));
    case audioMasterGetBlockSize:
        return blockSize.load(std::memory_order_relaxed);
    case audioMasterGetInputLatency:
    case audioMasterGetOutputLatency:
        return 0;
    case audioMasterGetPreviousPlug:
    case audioMasterGetNextPlug:
        return 0;
    case audioMasterWillReplaceOrAccumulate:
        return 1; // replaces
    case audioMasterGetCurrentProcessLevel:
        return processLevel.load(std::memory_order_relaxed);
    case audioMasterGetAutomationState:
        return 1; // automation off
    case audioMasterGetVendorString:
        copyText(ptr, hostVendorText, hostVendorTextSize);
        return ptr != nullptr ? 1 : 0;
    case audioMasterGetProductString:
        copyText(ptr, hostProductText, hostVendorTextSize);
        return ptr != nullptr ? 1 : 0;
    case audioMasterGetVendorVersion:
        return hostVendorVersion;
    case audioMasterVendorSpecific:
        return 0;
    case audioMasterCanDo:
        return canDo(static_cast<const char*>(ptr));
    case audioMasterGetLanguage:
        return 1; // English
    case audioMasterOpenWindow:
    case audioMasterCloseWindow:
        return 0;
    case audioMasterGetDirectory:
        return reinterpret_cast<std::intptr_t>(directory.data());
    case audioMasterUpdateDisplay:
        return 1;
    default:
        return 0;
    }
}

std::intptr_t VST_CALL hostCallback(AEffect* effect, std::int32_t opcode, std::int32_t index,
                                    std::intptr_t value, void* ptr, float opt) {
    HostContext* context = effect != nullptr ? findContext(effect) : nullptr;
    if (context == nullptr) {
        context = pendingContext != nullptr ? pendingContext : &fallbackContext();
    }
    return context->answer(effect, opcode, index, value, ptr, opt);
}

bool bindRecord(AEffect* effect, HostContext* context) {
    if (effect == nullptr) {
        return false;
    }
    // Binding happens once per instance, off the audio thread; only claiming needs to be
    // exclusive, lookups never wait.
    while (claimLock.exchange(true, std::memory_order_acquire)) {
    }
    bool bound = false;
    for (std::size_t i = 0; i < recordSlotCount; ++i) {
        RecordSlot& slot = recordSlots[i];
        if (slot.effect.load(std::memory_order_relaxed) == nullptr) {
            slot.context.store(context, std::memory_order_relaxed);
            slot.effect.store(effect, std::memory_order_release);
            if (slotsInUse.load(std::memory_order_relaxed) < i + 1) {
                slotsInUse.store(i + 1, std::memory_order_release);
            }
            bound = true;
            break;
        }
    }
    claimLock.store(false, std::memory_order_release);
    return bound;
}

void unbindRecord(AEffect* effect) {
    if (effect == nullptr) {
        return;
    }
    const std::size_t used = slotsInUse.load(std::memory_order_acquire);
    for (std::size_t i = 0; i < used; ++i) {
        AEffect* expected = effect;
        if (recordSlots[i].effect.compare_exchange_strong(expected, nullptr,
                                                          std::memory_order_acq_rel)) {
            return;
        }
    }
}

PendingContextScope::PendingContextScope(HostContext* context) : previous(pendingContext) {
    pendingContext = context;
}

PendingContextScope::~PendingContextScope() {
    pendingContext = previous;
}

} // namespace vsthost
