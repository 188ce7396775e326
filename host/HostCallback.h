// The host's side of the host callback: what a well-behaved host answers when a plug-in
// asks, and a record of what the plug-in asked, for the checks.
#pragma once

#include "framework/effect/vst2/Interface.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace vsthost {

// The interface version this host reports: 2.4.
constexpr std::intptr_t hostInterfaceVersion = 2400;
constexpr const char* hostVendorText = "plughost";
constexpr const char* hostProductText = "plughost";
constexpr std::intptr_t hostVendorVersion = 1000;
// Sizes of the buffers that the vendor and product queries hand over, terminator included.
constexpr std::size_t hostVendorTextSize = 64;

// Values of audioMasterGetCurrentProcessLevel.
enum ProcessLevel : std::int32_t {
    processLevelUnknown = 0,
    processLevelUser = 1,
    processLevelRealtime = 2,
    processLevelOffline = 4,
};

// What the host knows about one plug-in instance. Fields read by callbacks that may come
// from the audio thread are atomics, so answering never takes a lock.
class HostContext {
public:
    static constexpr std::int32_t highestOpcode = audioMasterUpdateDisplay;

    HostContext();

    std::atomic<float> sampleRate{44100.0f};
    std::atomic<std::int32_t> blockSize{512};
    std::atomic<std::int32_t> processLevel{processLevelUser};
    std::atomic<std::int32_t> numInputs{0};
    std::atomic<std::int32_t> numOutputs{0};
    std::atomic<std::int32_t> uniqueId{0};

    // Every callback counted by opcode; unknown opcodes in the last slot.
    std::array<std::atomic<std::uint32_t>, highestOpcode + 2> calls;
    std::atomic<std::int32_t> lastAutomatedIndex{-1};
    std::atomic<float> lastAutomatedValue{0.0f};

    // Run when the plug-in asks for the host's idle, on the thread that asks: how a host
    // that does its own work there (and may call the plug-in back) is played. Set it while
    // no editor is open.
    std::function<void()> idleReaction;

    void setDirectory(const std::string& folder);

    std::uint32_t callCount(std::int32_t opcode) const;

    // Answers one callback for this instance.
    std::intptr_t answer(AEffect* effect, std::int32_t opcode, std::int32_t index,
                         std::intptr_t value, void* ptr, float opt);

private:
    // A fixed buffer: the plug-in may keep the pointer it gets for as long as it lives.
    std::array<char, 1024> directory{};
};

// The callback handed to a plug-in's entry function. It finds the instance's context by
// the record's address in a lock-free table (the host writes nothing into a plug-in's
// record); during the entry call, before the record is known, it uses the context being
// created on this thread.
std::intptr_t VST_CALL hostCallback(AEffect* effect, std::int32_t opcode, std::int32_t index,
                                    std::intptr_t value, void* ptr, float opt);

// Binds a record to its context until unbound. Returns false when the table is full;
// the instance's callbacks then get the answers of a context with default settings.
bool bindRecord(AEffect* effect, HostContext* context);
void unbindRecord(AEffect* effect);

// Marks the context that callbacks without a known record belong to, on this thread, for
// as long as the scope lives.
class PendingContextScope {
public:
    explicit PendingContextScope(HostContext* context);
    ~PendingContextScope();
    PendingContextScope(const PendingContextScope&) = delete;
    PendingContextScope& operator=(const PendingContextScope&) = delete;

private:
    HostContext* previous;
};

} // namespace vsthost
