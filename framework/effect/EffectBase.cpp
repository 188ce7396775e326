#include "framework/effect/EffectBase.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "framework/effect/EditorBase.h"

namespace {

EffectBase* effectOf(AEffect* record) {
    return record != nullptr ? static_cast<EffectBase*>(record->object) : nullptr;
}

std::intptr_t VST_CALL dispatchEntry(AEffect* record, std::int32_t opcode, std::int32_t index,
                                     std::intptr_t value, void* ptr, float opt) {
    EffectBase* effect = effectOf(record);
    if (effect == nullptr) {
        return 0;
    }
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void VST_CALL processEntry(AEffect* record, float** inputs, float** outputs,
                           std::int32_t sampleFrames) {
    if (EffectBase* effect = effectOf(record)) {
        effect->process(inputs, outputs, sampleFrames);
    }
}

void VST_CALL processReplacingEntry(AEffect* record, float** inputs, float** outputs,
                                    std::int32_t sampleFrames) {
    if (EffectBase* effect = effectOf(record)) {
        effect->processReplacing(inputs, outputs, sampleFrames);
    }
}

void VST_CALL setParameterEntry(AEffect* record, std::int32_t index, float value) {
    if (EffectBase* effect = effectOf(record)) {
        effect->setParameter(index, value);
    }
}

float VST_CALL getParameterEntry(AEffect* record, std::int32_t index) {
    EffectBase* effect = effectOf(record);
    return effect != nullptr ? effect->getParameter(index) : 0.0f;
}

// The meter level scaled to the 16-bit range the host expects, fraction dropped. A level
// that is not a number, or too large for the result, must not reach an undefined cast.
std::intptr_t meterToVu(float level) {
    const double scaled = static_cast<double>(level) * 32767.0;
    if (std::isnan(scaled)) {
        return 0;
    }
    constexpr double top = std::numeric_limits<std::int32_t>::max();
    constexpr double bottom = std::numeric_limits<std::int32_t>::min();
    if (scaled >= top) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (scaled <= bottom) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(scaled);
}

bool takesText(std::int32_t opcode) {
    switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return true;
    default:
        return false;
    }
}

} // namespace

EffectBase::EffectBase(audioMasterCallback hostCallback, std::int32_t programCount,
                       std::int32_t parameterCount)
    : hostCallback(hostCallback), programCount(programCount), parameterCount(parameterCount) {
    std::memset(&record, 0, sizeof(record));
    record.magic = kEffectMagic;
    record.dispatcher = dispatchEntry;
    record.process = processEntry;
    record.setParameter = setParameterEntry;
    record.getParameter = getParameterEntry;
    record.numPrograms = programCount;
    record.numParams = parameterCount;
    record.numInputs = 1;
    record.numOutputs = 2;
    record.ioRatio = 1.0f;
    record.object = this;
    record.uniqueID = fourCharCode("NoEf");
    record.version = 1;
    record.processReplacing = processReplacingEntry;
}

EffectBase::~EffectBase() {
    delete editor;
}

void EffectBase::setParameter(std::int32_t, float) {}
float EffectBase::getParameter(std::int32_t) {
    return 0.0f;
}

void EffectBase::automateParameter(std::int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value, 0);
}

void EffectBase::processReplacing(float**, float**, std::int32_t) {}

std::intptr_t EffectBase::dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                     void* ptr, float opt) {
    if (takesText(opcode) && ptr == nullptr) {
        return 0;
    }
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        // Negative numbers would index outside the bank as surely as too-large ones.
        if (value >= 0 && value < programCount) {
            setProgram(static_cast<std::int32_t>(value));
        }
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        setProgramName(text);
        return 0;
    case effGetProgramName:
        getProgramName(text);
        return 0;
    case effGetParamLabel:
        getParameterUnit(index, text);
        return 0;
    case effGetParamDisplay:
        getParameterText(index, text);
        return 0;
    case effGetParamName:
        getParameterName(index, text);
        return 0;
    case effGetVu:
        return meterToVu(getMeterLevel());
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<std::int32_t>(value));
        return 0;
    case effMainsChanged:
        if (value == 0) {
            suspend();
        } else {
            resume();
        }
        return 0;
    case effEditGetRect:
        if (editor != nullptr && ptr != nullptr) {
            return editor->getRect(static_cast<ERect**>(ptr));
        }
        return 0;
    case effEditOpen:
        return editor != nullptr ? editor->openFromHost(ptr) : 0;
    case effEditClose:
        if (editor != nullptr) {
            editor->closeFromHost();
        }
        return 0;
    case effEditIdle:
        if (editor != nullptr) {
            editor->idle();
            editor->closeIfRequested();
        }
        return 0;
    case effIdentify:
        return fourCharCode("NvEf");
    case effGetChunk:
        return ptr != nullptr ? getStateChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        return setStateChunk(ptr, static_cast<std::int32_t>(value), index != 0);
    default:
        return 0;
    }
}

void EffectBase::open() {}
void EffectBase::close() {}
std::int32_t EffectBase::getProgram() {
    return currentProgram;
}
void EffectBase::setProgram(std::int32_t program) {
    currentProgram = program;
}
void EffectBase::setProgramName(char* text) {
    text[0] = 0;
}
void EffectBase::getProgramName(char* text) {
    text[0] = 0;
}
void EffectBase::getParameterUnit(std::int32_t, char* text) {
    text[0] = 0;
}
void EffectBase::getParameterText(std::int32_t, char* text) {
    text[0] = 0;
}
void EffectBase::getParameterName(std::int32_t, char* text) {
    text[0] = 0;
}
float EffectBase::getMeterLevel() {
    return 0.0f;
}
std::int32_t EffectBase::getStateChunk(void**, bool) {
    return 0;
}
std::int32_t EffectBase::setStateChunk(void*, std::int32_t, bool) {
    return 0;
}
void EffectBase::setSampleRate(float rate) {
    sampleRate = rate;
}
void EffectBase::setBlockSize(std::int32_t size) {
    blockSize = size;
}
void EffectBase::suspend() {}
void EffectBase::resume() {}
void EffectBase::setUniqueId(std::int32_t id) {
    record.uniqueID = id;
}
void EffectBase::setInputCount(std::int32_t count) {
    record.numInputs = count;
}
void EffectBase::setOutputCount(std::int32_t count) {
    record.numOutputs = count;
}
void EffectBase::setHasMeter(bool state) {
    setFlag(effFlagsHasVu, state);
}
void EffectBase::setHasClip(bool state) {
    setFlag(effFlagsHasClip, state);
}
void EffectBase::setCanMono(bool state) {
    setFlag(effFlagsCanMono, state);
}
void EffectBase::setCanReplace(bool state) {
    setFlag(effFlagsCanReplacing, state);
}
void EffectBase::setProgramsAreChunks(bool state) {
    setFlag(effFlagsProgramChunks, state);
}
void EffectBase::setRealtimeQualities(std::int32_t qualities) {
    record.realQualities = qualities;
}
void EffectBase::setOfflineQualities(std::int32_t qualities) {
    record.offQualities = qualities;
}
void EffectBase::setInitialDelay(std::int32_t samples) {
    record.initialDelay = samples;
}
float EffectBase::getSampleRate() {
    return sampleRate;
}
std::int32_t EffectBase::getBlockSize() {
    return blockSize;
}

std::int32_t EffectBase::getHostVersion() {
    const auto version =
        static_cast<std::int32_t>(callHost(audioMasterVersion, 0, 0, nullptr, 0.0f, 1));
    return version == 0 ? 1 : version;
}

std::int32_t EffectBase::getHostCurrentUniqueId() {
    return static_cast<std::int32_t>(callHost(audioMasterCurrentId, 0, 0, nullptr, 0.0f, 0));
}

void EffectBase::hostIdle() {
    callHost(audioMasterIdle, 0, 0, nullptr, 0.0f, 0);
}

bool EffectBase::isInputConnected(std::int32_t index) {
    return callHost(audioMasterPinConnected, index, 0, nullptr, 0.0f, 0) == 0;
}

bool EffectBase::isOutputConnected(std::int32_t index) {
    return callHost(audioMasterPinConnected, index, 1, nullptr, 0.0f, 0) == 0;
}

void EffectBase::attachEditor(EditorBase* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

std::intptr_t EffectBase::callHost(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                   void* ptr, float opt, std::intptr_t fallback) {
    if (hostCallback == nullptr) {
        return fallback;
    }
    return hostCallback(&record, opcode, index, value, ptr, opt);
}

void EffectBase::setFlag(std::int32_t flag, bool state) {
    if (state) {
        record.flags |= flag;
    } else {
        record.flags &= ~flag;
    }
}
