#include "host/PluginInstance.h"

#include <algorithm>
#include <cstring>

namespace vsthost {

std::string TextFault::describe() const {
    std::string text = what + ": ";
    if (overrun > 0) {
        text += "wrote " + std::to_string(overrun) + " byte" + (overrun == 1 ? "" : "s") +
                " past the end of its " + std::to_string(capacity) + "-byte buffer";
    } else {
        text += "left no terminator in its " + std::to_string(capacity) + "-byte buffer";
    }
    return text;
}

PluginInstance::PluginInstance(std::shared_ptr<PluginLibrary> library,
                               std::unique_ptr<HostContext> hostContext)
    : pluginLibrary(std::move(library)), context(std::move(hostContext)) {}

std::unique_ptr<PluginInstance> PluginInstance::create(std::shared_ptr<PluginLibrary> library,
                                                       std::string& error) {
    if (library == nullptr || library->entry() == nullptr) {
        error = "no plug-in library";
        return nullptr;
    }
    auto hostContext = std::make_unique<HostContext>();
    hostContext->setDirectory(library->directory());
    std::unique_ptr<PluginInstance> instance(new PluginInstance(library, std::move(hostContext)));

    AEffect* record = nullptr;
    {
        PendingContextScope pending(instance->context.get());
        record = library->entry()(&hostCallback);
    }
    if (record == nullptr) {
        error = library->path() + ": " + library->entryName() + " returned no plug-in record";
        return nullptr;
    }
    if (record->magic != kEffectMagic) {
        // Not a record we can trust even to close.
        error = library->path() + ": " + library->entryName() +
                " returned a record without the plug-in magic";
        return nullptr;
    }
    if (record->dispatcher == nullptr) {
        error = library->path() + ": the plug-in record has no dispatcher";
        return nullptr;
    }
    instance->effect = record;
    instance->context->numInputs.store(record->numInputs, std::memory_order_relaxed);
    instance->context->numOutputs.store(record->numOutputs, std::memory_order_relaxed);
    instance->context->uniqueId.store(record->uniqueID, std::memory_order_relaxed);
    bindRecord(record, instance->context.get());
    return instance;
}

PluginInstance::~PluginInstance() {
    if (effect != nullptr) {
        if (resumed) {
            suspend();
        }
        close();
    }
}

std::intptr_t PluginInstance::dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                       void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void PluginInstance::open() {
    dispatch(effOpen);
}

void PluginInstance::close() {
    AEffect* closing = effect;
    dispatch(effClose);
    effect = nullptr;
    resumed = false;
    unbindRecord(closing);
}

void PluginInstance::setSampleRate(float rate) {
    context->sampleRate.store(rate, std::memory_order_relaxed);
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
}

void PluginInstance::setBlockSize(std::int32_t frames) {
    context->blockSize.store(frames, std::memory_order_relaxed);
    dispatch(effSetBlockSize, 0, frames);
}

void PluginInstance::resume() {
    dispatch(effMainsChanged, 0, 1);
    resumed = true;
}

void PluginInstance::suspend() {
    dispatch(effMainsChanged, 0, 0);
    resumed = false;
}

void PluginInstance::setProgram(std::int32_t program) {
    dispatch(effSetProgram, 0, program);
}

std::int32_t PluginInstance::program() {
    return static_cast<std::int32_t>(dispatch(effGetProgram));
}

void PluginInstance::setProgramName(const std::string& name) {
    // The plug-in may read up to the interface's size; a longer name is a hostile but
    // legal test, so it gets a buffer of its own length.
    std::vector<char> text(std::max(name.size() + 1, kProgramNameSize), '\0');
    std::memcpy(text.data(), name.data(), name.size());
    dispatch(effSetProgramName, 0, 0, text.data());
}

std::string PluginInstance::readText(std::int32_t opcode, std::int32_t index, GuardedText& buffer,
                                     const std::string& what) {
    dispatch(opcode, index, 0, buffer.prepare());
    const std::size_t overrun = buffer.overrun();
    const bool terminated = buffer.terminated();
    if (overrun > 0 || !terminated) {
        faults.push_back(TextFault{what, buffer.capacity(), overrun, terminated});
    }
    return buffer.text();
}

std::string PluginInstance::programName() {
    return readText(effGetProgramName, 0, programText,
                    "program " + std::to_string(program()) + " name");
}

std::string PluginInstance::parameterName(std::int32_t index) {
    return readText(effGetParamName, index, shortText,
                    "parameter " + std::to_string(index) + " name");
}

std::string PluginInstance::parameterUnit(std::int32_t index) {
    return readText(effGetParamLabel, index, shortText,
                    "parameter " + std::to_string(index) + " unit");
}

std::string PluginInstance::parameterDisplay(std::int32_t index) {
    return readText(effGetParamDisplay, index, shortText,
                    "parameter " + std::to_string(index) + " value text");
}

std::string PluginInstance::effectName() {
    return readText(effGetEffectName, 0, effectText, "effect name");
}

std::string PluginInstance::vendorText() {
    return readText(effGetVendorString, 0, vendorBuffer, "vendor text");
}

std::string PluginInstance::productText() {
    return readText(effGetProductString, 0, productBuffer, "product text");
}

std::intptr_t PluginInstance::canDo(const std::string& question) {
    // A copy: the dispatcher's pointer is not const, and a plug-in may write into it.
    char text[canDoTextSize] = {};
    std::memcpy(text, question.data(), std::min(question.size(), canDoTextSize - 1));
    return dispatch(effCanDo, 0, 0, text);
}

float PluginInstance::parameter(std::int32_t index) {
    return effect->getParameter != nullptr ? effect->getParameter(effect, index) : 0.0f;
}

void PluginInstance::setParameter(std::int32_t index, float value) {
    if (effect->setParameter != nullptr) {
        effect->setParameter(effect, index, value);
    }
}

} // namespace vsthost
