// The plug-in interface as hosts see it: the plug-in record, the editor records, the
// opcodes in both directions and the flag bits. Written from the interface's published
// binary layout; natural alignment, identical on 32-bit and 64-bit targets apart from the
// pointer-sized fields.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64) && (defined(__GNUC__) || defined(_MSC_VER))
#define VST_CALL __cdecl
#else
#define VST_CALL
#endif

struct AEffect;

// The host callback and the plug-in's dispatcher share one signature. The value argument
// and the result are pointer-sized so that pointers pass through them on 64-bit targets.
using audioMasterCallback = std::intptr_t(VST_CALL*)(AEffect* effect, std::int32_t opcode,
                                                      std::int32_t index, std::intptr_t value,
                                                      void* ptr, float opt);
using AEffectDispatcherProc = std::intptr_t(VST_CALL*)(AEffect* effect, std::int32_t opcode,
                                                        std::int32_t index, std::intptr_t value,
                                                        void* ptr, float opt);
using AEffectProcessProc = void(VST_CALL*)(AEffect* effect, float** inputs, float** outputs,
                                           std::int32_t sampleFrames);
using AEffectSetParameterProc = void(VST_CALL*)(AEffect* effect, std::int32_t index,
                                                float parameter);
using AEffectGetParameterProc = float(VST_CALL*)(AEffect* effect, std::int32_t index);

struct AEffect {
    std::int32_t magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    std::int32_t numPrograms;
    std::int32_t numParams;
    std::int32_t numInputs;
    std::int32_t numOutputs;
    std::int32_t flags;
    std::intptr_t resvd1;
    std::intptr_t resvd2;
    std::int32_t initialDelay;
    std::int32_t realQualities;
    std::int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    std::int32_t uniqueID;
    std::int32_t version;
    AEffectProcessProc processReplacing;
    // All zero. 64-bit hosts read the first pointer-sized slot as an optional
    // double-precision process function, which must stay null.
    char future[60];
};

struct ERect {
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

struct VstWindow {
    char title[128];
    std::int16_t xPos;
    std::int16_t yPos;
    std::int16_t width;
    std::int16_t height;
    std::int32_t style;
    void* parent;
    void* userHandle;
    void* winHandle;
    char future[104];
};

// Records that the framework only passes by pointer.
struct VstEvents;
struct VstTimeInfo;
struct VstPinProperties;
struct VstOfflineTask;
struct VstAudioFile;
struct VstSpeakerArrangement;
struct VstVariableIo;
struct VstParameterProperties;

// Four-character codes: the first character is the most significant byte.
constexpr std::int32_t fourCharCode(const char (&code)[5]) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(code[0]) << 24) |
                                     (static_cast<std::uint32_t>(code[1]) << 16) |
                                     (static_cast<std::uint32_t>(code[2]) << 8) |
                                     static_cast<std::uint32_t>(code[3]));
}

constexpr std::int32_t kEffectMagic = fourCharCode("VstP");

// Text buffers handed over by hosts, terminator included.
constexpr std::size_t kProgramNameSize = 24;
constexpr std::size_t kShortTextSize = 9; // parameter names, units and value texts

enum EffectOpcode : std::int32_t {
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effGetVu = 9,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditDraw = 16,
    effEditMouse = 17,
    effEditKey = 18,
    effEditIdle = 19,
    effEditTop = 20,
    effEditSleep = 21,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetNumProgramCategories = 28,
    effGetProgramNameIndexed = 29,
    effCopyProgram = 30,
    effConnectInput = 31,
    effConnectOutput = 32,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effGetCurrentPosition = 36,
    effGetDestinationBuffer = 37,
    effOfflineNotify = 38,
    effOfflinePrepare = 39,
    effOfflineRun = 40,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,
    effSetBlockSizeAndSampleRate = 43,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetErrorText = 46,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effIdle = 53,
    effGetIcon = 54,
    effSetViewPosition = 55,
    effGetParameterProperties = 56,
    effKeysRequired = 57,
    effGetVstVersion = 58,
};

enum HostOpcode : std::int32_t {
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterSetTime = 9,
    audioMasterTempoAt = 10,
    audioMasterGetNumAutomatableParameters = 11,
    audioMasterGetParameterQuantization = 12,
    audioMasterIOChanged = 13,
    audioMasterNeedIdle = 14,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetPreviousPlug = 20,
    audioMasterGetNextPlug = 21,
    audioMasterWillReplaceOrAccumulate = 22,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetAutomationState = 24,
    audioMasterOfflineStart = 25,
    audioMasterOfflineRead = 26,
    audioMasterOfflineWrite = 27,
    audioMasterOfflineGetCurrentPass = 28,
    audioMasterOfflineGetCurrentMetaPass = 29,
    audioMasterSetOutputSampleRate = 30,
    audioMasterGetSpeakerArrangement = 31,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterVendorSpecific = 35,
    audioMasterSetIcon = 36,
    audioMasterCanDo = 37,
    audioMasterGetLanguage = 38,
    audioMasterOpenWindow = 39,
    audioMasterCloseWindow = 40,
    audioMasterGetDirectory = 41,
    audioMasterUpdateDisplay = 42,
};

enum EffectFlags : std::int32_t {
    effFlagsHasEditor = 1,
    effFlagsHasClip = 2,
    effFlagsHasVu = 4,
    effFlagsCanMono = 8,
    effFlagsCanReplacing = 16,
    effFlagsProgramChunks = 32,
    effFlagsIsSynth = 256,
    effFlagsNoSoundInStop = 512,
    effFlagsExtIsAsync = 1024,
    effFlagsExtHasBuffer = 2048,
};

// The layout hosts were compiled against, for both pointer sizes.
static_assert(sizeof(ERect) == 8);
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == sizeof(void*));
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);
#if INTPTR_MAX == INT64_MAX
static_assert(offsetof(AEffect, numPrograms) == 40);
static_assert(offsetof(AEffect, flags) == 56);
static_assert(offsetof(AEffect, resvd1) == 64);
static_assert(offsetof(AEffect, initialDelay) == 80);
static_assert(offsetof(AEffect, ioRatio) == 92);
static_assert(offsetof(AEffect, object) == 96);
static_assert(offsetof(AEffect, user) == 104);
static_assert(offsetof(AEffect, uniqueID) == 112);
static_assert(offsetof(AEffect, version) == 116);
static_assert(offsetof(AEffect, processReplacing) == 120);
static_assert(offsetof(AEffect, future) == 128);
static_assert(sizeof(AEffect) == 192);
static_assert(offsetof(VstWindow, style) == 136);
static_assert(offsetof(VstWindow, parent) == 144);
static_assert(offsetof(VstWindow, winHandle) == 160);
static_assert(sizeof(VstWindow) == 272);
#else
static_assert(offsetof(AEffect, numPrograms) == 20);
static_assert(offsetof(AEffect, flags) == 36);
static_assert(offsetof(AEffect, resvd1) == 40);
static_assert(offsetof(AEffect, initialDelay) == 48);
static_assert(offsetof(AEffect, ioRatio) == 60);
static_assert(offsetof(AEffect, object) == 64);
static_assert(offsetof(AEffect, user) == 68);
static_assert(offsetof(AEffect, uniqueID) == 72);
static_assert(offsetof(AEffect, version) == 76);
static_assert(offsetof(AEffect, processReplacing) == 80);
static_assert(offsetof(AEffect, future) == 84);
static_assert(sizeof(AEffect) == 144);
static_assert(offsetof(VstWindow, style) == 136);
static_assert(offsetof(VstWindow, parent) == 140);
static_assert(offsetof(VstWindow, winHandle) == 148);
static_assert(sizeof(VstWindow) == 256);
#endif
