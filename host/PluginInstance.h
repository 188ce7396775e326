// One plug-in instance: the record its entry function returned, driven only through the
// interface, with every text it writes handed over in a guarded buffer.
#pragma once

#include "framework/effect/vst2/Interface.h"
#include "host/GuardedText.h"
#include "host/HostCallback.h"
#include "host/PluginLibrary.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsthost {

// Buffer sizes of the texts the interface leaves at its published maximum lengths,
// terminator included.
constexpr std::size_t effectNameSize = 32;
constexpr std::size_t vendorTextSize = 64;
constexpr std::size_t productTextSize = 64;
// The largest query text, for can-do questions.
constexpr std::size_t canDoTextSize = 64;

// A text the plug-in wrote outside its buffer, or without a terminator inside it.
struct TextFault {
    std::string what; // "parameter 3 unit", "program 7 name", ...
    std::size_t capacity = 0;
    std::size_t overrun = 0;
    bool terminated = true;

    std::string describe() const;
};

class PluginInstance {
public:
    // Calls the library's entry with the host callback and checks the record it returns.
    // Returns null and sets error to one line when there is no usable record.
    static std::unique_ptr<PluginInstance> create(std::shared_ptr<PluginLibrary> library,
                                                  std::string& error);

    // Suspends and closes the plug-in if the caller has not.
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    // Null once the plug-in has been closed.
    AEffect* record() const { return effect; }
    HostContext& host() { return *context; }
    const PluginLibrary& library() const { return *pluginLibrary; }

    std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f);

    void open();
    // effClose; the record is gone afterwards.
    void close();
    void setSampleRate(float rate);
    void setBlockSize(std::int32_t frames);
    void resume();
    void suspend();
    bool isResumed() const { return resumed; }

    void setProgram(std::int32_t program);
    std::int32_t program();
    void setProgramName(const std::string& name);

    std::string programName();
    std::string parameterName(std::int32_t index);
    std::string parameterUnit(std::int32_t index);
    std::string parameterDisplay(std::int32_t index);
    std::string effectName();
    std::string vendorText();
    std::string productText();
    std::intptr_t canDo(const std::string& question);

    float parameter(std::int32_t index);
    void setParameter(std::int32_t index, float value);

    // The processing functions, called directly: nothing here allocates.
    void processReplacing(float** inputs, float** outputs, std::int32_t frames) {
        effect->processReplacing(effect, inputs, outputs, frames);
    }
    void process(float** inputs, float** outputs, std::int32_t frames) {
        effect->process(effect, inputs, outputs, frames);
    }

    // Every text fault seen so far, oldest first.
    const std::vector<TextFault>& textFaults() const { return faults; }

private:
    PluginInstance(std::shared_ptr<PluginLibrary> library, std::unique_ptr<HostContext> context);

    std::string readText(std::int32_t opcode, std::int32_t index, GuardedText& buffer,
                         const std::string& what);

    std::shared_ptr<PluginLibrary> pluginLibrary;
    std::unique_ptr<HostContext> context;
    AEffect* effect = nullptr;
    bool resumed = false;
    GuardedText shortText{kShortTextSize};
    GuardedText programText{kProgramNameSize};
    GuardedText effectText{effectNameSize};
    GuardedText vendorBuffer{vendorTextSize};
    GuardedText productBuffer{productTextSize};
    std::vector<TextFault> faults;
};

} // namespace vsthost
