#include "framework/effect/ExtendedEffect.h"

namespace {

std::intptr_t asResult(bool answer) {
    return answer ? 1 : 0;
}

std::intptr_t asInteger(void* pointer) {
    return reinterpret_cast<std::intptr_t>(pointer);
}

} // namespace

ExtendedEffect::ExtendedEffect(audioMasterCallback hostCallback, std::int32_t programCount,
                               std::int32_t parameterCount)
    : EffectBase(hostCallback, programCount, parameterCount) {}

ExtendedEffect::~ExtendedEffect() = default;

std::intptr_t ExtendedEffect::dispatcher(std::int32_t opcode, std::int32_t index,
                                         std::intptr_t value, void* ptr, float opt) {
    const auto value32 = static_cast<std::int32_t>(value);
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return receiveEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return asResult(isParameterAutomatable(index));
    case effString2Parameter:
        return asResult(parameterFromText(index, text));
    case effGetNumProgramCategories:
        return getProgramCategoryCount();
    case effGetProgramNameIndexed:
        return asResult(getIndexedProgramName(value32, index, text));
    case effCopyProgram:
        return asResult(copyCurrentProgram(index));
    case effConnectInput:
        inputConnectionChanged(index, value != 0);
        return 1;
    case effConnectOutput:
        outputConnectionChanged(index, value != 0);
        return 1;
    case effGetInputProperties:
        return asResult(getInputPinProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetOutputProperties:
        return asResult(getOutputPinProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetPlugCategory:
        return getPluginCategory();
    case effGetCurrentPosition:
        return getCurrentPosition();
    case effGetDestinationBuffer:
        return asInteger(getDestinationBuffer());
    case effOfflineNotify:
        return asResult(notifyOffline(static_cast<VstAudioFile*>(ptr), value32, index != 0));
    case effOfflinePrepare:
        return asResult(prepareOffline(static_cast<VstOfflineTask*>(ptr), value32));
    case effOfflineRun:
        return asResult(runOffline(static_cast<VstOfflineTask*>(ptr), value32));
    case effProcessVarIo:
        return asResult(processVariableIo(static_cast<VstVariableIo*>(ptr)));
    case effSetSpeakerArrangement:
        return asResult(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                              static_cast<VstSpeakerArrangement*>(ptr)));
    case effSetBlockSizeAndSampleRate:
        setBlockSizeAndRate(value32, opt);
        return 1;
    case effSetBypass:
        return asResult(setBypass(value != 0));
    case effGetEffectName:
        return asResult(getEffectName(text));
    case effGetErrorText:
        return asResult(getErrorText(text));
    case effGetVendorString:
        return asResult(getVendorText(text));
    case effGetProductString:
        return asResult(getProductText(text));
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return canPluginDo(text);
    case effGetTailSize:
        return getTailSize();
    case effIdle:
        return idleEffect();
    case effGetIcon:
        return asInteger(getIcon());
    case effSetViewPosition:
        return asResult(setViewPosition(index, value32));
    case effGetParameterProperties:
        return asResult(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
    case effKeysRequired:
        return needsKeys() ? 0 : 1;
    case effGetVstVersion:
        return getInterfaceVersion();
    default:
        return EffectBase::dispatcher(opcode, index, value, ptr, opt);
    }
}

void ExtendedEffect::requestEvents(std::int32_t filter) {
    callHost(audioMasterWantMidi, 0, filter, nullptr, 0.0f, 0);
}

VstTimeInfo* ExtendedEffect::askHostTime(std::int32_t filter) {
    return reinterpret_cast<VstTimeInfo*>(
        callHost(audioMasterGetTime, 0, filter, nullptr, 0.0f, 0));
}

std::int32_t ExtendedEffect::askHostTempoAt(std::int32_t samplePosition) {
    return static_cast<std::int32_t>(
        callHost(audioMasterTempoAt, 0, samplePosition, nullptr, 0.0f, 0));
}

std::int32_t ExtendedEffect::receiveEvents(VstEvents*) {
    return 0;
}

std::int32_t ExtendedEffect::askHostAutomatableCount() {
    return static_cast<std::int32_t>(
        callHost(audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f, 0));
}

std::int32_t ExtendedEffect::askHostParameterQuantization() {
    return static_cast<std::int32_t>(
        callHost(audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f, 0));
}

bool ExtendedEffect::isParameterAutomatable(std::int32_t) {
    return true;
}
bool ExtendedEffect::parameterFromText(std::int32_t, char*) {
    return false;
}
float ExtendedEffect::getChannelParameterValue(std::int32_t, std::int32_t) {
    return 0.0f;
}
std::int32_t ExtendedEffect::getProgramCategoryCount() {
    return 1;
}
bool ExtendedEffect::getIndexedProgramName(std::int32_t, std::int32_t, char*) {
    return false;
}
bool ExtendedEffect::copyCurrentProgram(std::int32_t) {
    return false;
}

bool ExtendedEffect::tellHostIoChanged() {
    return callHost(audioMasterIOChanged, 0, 0, nullptr, 0.0f, 0) != 0;
}

bool ExtendedEffect::askHostForIdle() {
    return callHost(audioMasterNeedIdle, 0, 0, nullptr, 0.0f, 0) != 0;
}

bool ExtendedEffect::askHostToResizeWindow(std::int32_t width, std::int32_t height) {
    return callHost(audioMasterSizeWindow, width, height, nullptr, 0.0f, 0) != 0;
}

float ExtendedEffect::refreshSampleRate() {
    callHost(audioMasterGetSampleRate, 0, 0, nullptr, 0.0f, 0);
    return sampleRate;
}

std::int32_t ExtendedEffect::refreshBlockSize() {
    callHost(audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, 0);
    return blockSize;
}

std::int32_t ExtendedEffect::askHostInputLatency() {
    return static_cast<std::int32_t>(callHost(audioMasterGetInputLatency, 0, 0, nullptr, 0.0f, 0));
}

std::int32_t ExtendedEffect::askHostOutputLatency() {
    return static_cast<std::int32_t>(callHost(audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f, 0));
}

AEffect* ExtendedEffect::askHostPreviousPlugin(std::int32_t) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f, 0));
}

AEffect* ExtendedEffect::askHostNextPlugin(std::int32_t) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug, 0, 0, nullptr, 0.0f, 0));
}

void ExtendedEffect::inputConnectionChanged(std::int32_t, bool) {}
void ExtendedEffect::outputConnectionChanged(std::int32_t, bool) {}
bool ExtendedEffect::getInputPinProperties(std::int32_t, VstPinProperties*) {
    return false;
}
bool ExtendedEffect::getOutputPinProperties(std::int32_t, VstPinProperties*) {
    return false;
}

std::int32_t ExtendedEffect::getPluginCategory() {
    return (record.flags & effFlagsIsSynth) != 0 ? 2 : 0;
}

std::int32_t ExtendedEffect::askHostReplaceOrAccumulate() {
    return static_cast<std::int32_t>(
        callHost(audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f, 0));
}

std::int32_t ExtendedEffect::askHostProcessLevel() {
    return static_cast<std::int32_t>(
        callHost(audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f, 0));
}

std::int32_t ExtendedEffect::askHostAutomationState() {
    return static_cast<std::int32_t>(
        callHost(audioMasterGetAutomationState, 0, 0, nullptr, 0.0f, 0));
}

void ExtendedEffect::setAsyncOperation(bool state) {
    setFlag(effFlagsExtIsAsync, state);
}
void ExtendedEffect::setExternalBuffer(bool state) {
    setFlag(effFlagsExtHasBuffer, state);
}
std::int32_t ExtendedEffect::getCurrentPosition() {
    return 0;
}
float* ExtendedEffect::getDestinationBuffer() {
    return nullptr;
}

bool ExtendedEffect::hostOfflineRead(VstOfflineTask* task, std::int32_t option, bool readSource) {
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task, 0.0f, 0) != 0;
}

bool ExtendedEffect::hostOfflineWrite(VstOfflineTask* task, std::int32_t option) {
    return callHost(audioMasterOfflineWrite, 0, option, task, 0.0f, 0) != 0;
}

bool ExtendedEffect::hostOfflineStart(VstAudioFile* files, std::int32_t fileCount,
                                      std::int32_t newFileCount) {
    return callHost(audioMasterOfflineStart, newFileCount, fileCount, files, 0.0f, 0) != 0;
}

std::int32_t ExtendedEffect::askHostOfflinePass() {
    return callHost(audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f, 0) != 0 ? 1 : 0;
}

std::int32_t ExtendedEffect::askHostOfflineMetaPass() {
    return callHost(audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f, 0) != 0 ? 1 : 0;
}

bool ExtendedEffect::notifyOffline(VstAudioFile*, std::int32_t, bool) {
    return false;
}
bool ExtendedEffect::prepareOffline(VstOfflineTask*, std::int32_t) {
    return false;
}
bool ExtendedEffect::runOffline(VstOfflineTask*, std::int32_t) {
    return false;
}
std::int32_t ExtendedEffect::getOfflinePassCount() {
    return 0;
}
std::int32_t ExtendedEffect::getOfflineMetaPassCount() {
    return 0;
}

void ExtendedEffect::setHostOutputSampleRate(float rate) {
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate, 0);
}

bool ExtendedEffect::askHostSpeakerArrangement(VstSpeakerArrangement* input,
                                               VstSpeakerArrangement* output) {
    return callHost(audioMasterGetSpeakerArrangement, 0, reinterpret_cast<std::intptr_t>(input),
                    output, 0.0f, 0) != 0;
}

bool ExtendedEffect::askHostVendorText(char* text) {
    return callHost(audioMasterGetVendorString, 0, 0, text, 0.0f, 0) != 0;
}

bool ExtendedEffect::askHostProductText(char* text) {
    return callHost(audioMasterGetProductString, 0, 0, text, 0.0f, 0) != 0;
}

std::int32_t ExtendedEffect::askHostVendorVersion() {
    return static_cast<std::int32_t>(callHost(audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f, 0));
}

std::int32_t ExtendedEffect::askHostVendorSpecific(std::int32_t index, std::intptr_t value,
                                                   void* ptr, float opt) {
    return static_cast<std::int32_t>(
        callHost(audioMasterVendorSpecific, index, value, ptr, opt, 0));
}

std::int32_t ExtendedEffect::askHostCanDo(char* text) {
    return callHost(audioMasterCanDo, 0, 0, text, 0.0f, 0) != 0 ? 1 : 0;
}

void ExtendedEffect::setIsSynth(bool state) {
    setFlag(effFlagsIsSynth, state);
}
void ExtendedEffect::setNoSoundInStop(bool state) {
    setFlag(effFlagsNoSoundInStop, state);
}

std::int32_t ExtendedEffect::askHostLanguage() {
    return static_cast<std::int32_t>(callHost(audioMasterGetLanguage, 0, 0, nullptr, 0.0f, 0));
}

void* ExtendedEffect::askHostOpenWindow(VstWindow* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window, 0.0f, 0));
}

bool ExtendedEffect::askHostCloseWindow(VstWindow* window) {
    return callHost(audioMasterCloseWindow, 0, 0, window, 0.0f, 0) != 0;
}

void* ExtendedEffect::askHostDirectory() {
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory, 0, 0, nullptr, 0.0f, 0));
}

bool ExtendedEffect::tellHostUpdateDisplay() {
    return callHost(audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f, 0) != 0;
}

bool ExtendedEffect::processVariableIo(VstVariableIo*) {
    return false;
}

bool ExtendedEffect::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
    return false;
}

void ExtendedEffect::setBlockSizeAndRate(std::int32_t size, float rate) {
    blockSize = size;
    sampleRate = rate;
}

bool ExtendedEffect::setBypass(bool) {
    return false;
}
bool ExtendedEffect::getEffectName(char*) {
    return false;
}
bool ExtendedEffect::getErrorText(char*) {
    return false;
}
bool ExtendedEffect::getVendorText(char*) {
    return false;
}
bool ExtendedEffect::getProductText(char*) {
    return false;
}
std::int32_t ExtendedEffect::getVendorVersion() {
    return 0;
}

std::int32_t ExtendedEffect::vendorSpecific(std::int32_t, std::intptr_t, void*, float) {
    return 0;
}

std::int32_t ExtendedEffect::canPluginDo(char*) {
    return 0;
}
void* ExtendedEffect::getIcon() {
    return nullptr;
}
bool ExtendedEffect::setViewPosition(std::int32_t, std::int32_t) {
    return false;
}
std::int32_t ExtendedEffect::getTailSize() {
    return 0;
}
std::int32_t ExtendedEffect::idleEffect() {
    return 0;
}

bool ExtendedEffect::getParameterProperties(std::int32_t, VstParameterProperties*) {
    return false;
}

bool ExtendedEffect::needsKeys() {
    return false;
}
std::int32_t ExtendedEffect::getInterfaceVersion() {
    return 2;
}

bool ExtendedEffect::sendEventsToHost(VstEvents* events) {
    return callHost(audioMasterProcessEvents, 0, 0, events, 0.0f, 0) == 1;
}
