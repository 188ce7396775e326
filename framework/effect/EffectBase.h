// The root of every effect: owns the record the host holds, turns the record's function
// fields into virtual operations, answers the first-generation opcodes and asks the host
// a few questions.
#pragma once

#include <cstdint>

#include "framework/effect/vst2/Interface.h"

class EditorBase;

class EffectBase {
public:
    EffectBase(audioMasterCallback hostCallback, std::int32_t programCount,
               std::int32_t parameterCount);
    virtual ~EffectBase();

    virtual void setParameter(std::int32_t index, float value);
    virtual float getParameter(std::int32_t index);
    virtual void automateParameter(std::int32_t index, float value);
    virtual void process(float** inputs, float** outputs, std::int32_t sampleFrames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames);
    virtual std::intptr_t dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                     void* ptr, float opt);
    virtual void open();
    virtual void close();
    virtual std::int32_t getProgram();
    virtual void setProgram(std::int32_t program);
    virtual void setProgramName(char* text);
    virtual void getProgramName(char* text);
    virtual void getParameterUnit(std::int32_t index, char* text);
    virtual void getParameterText(std::int32_t index, char* text);
    virtual void getParameterName(std::int32_t index, char* text);
    virtual float getMeterLevel();
    virtual std::int32_t getStateChunk(void** data, bool isPreset);
    virtual std::int32_t setStateChunk(void* data, std::int32_t byteCount, bool isPreset);
    virtual void setSampleRate(float rate);
    virtual void setBlockSize(std::int32_t size);
    virtual void suspend();
    virtual void resume();
    virtual void setUniqueId(std::int32_t id);
    virtual void setInputCount(std::int32_t count);
    virtual void setOutputCount(std::int32_t count);
    virtual void setHasMeter(bool state);
    virtual void setHasClip(bool state);
    virtual void setCanMono(bool state);
    virtual void setCanReplace(bool state);
    virtual void setProgramsAreChunks(bool state);
    virtual void setRealtimeQualities(std::int32_t qualities);
    virtual void setOfflineQualities(std::int32_t qualities);
    virtual void setInitialDelay(std::int32_t samples);
    virtual float getSampleRate();
    virtual std::int32_t getBlockSize();
    virtual std::int32_t getHostVersion();
    virtual std::int32_t getHostCurrentUniqueId();
    virtual void hostIdle();
    virtual bool isInputConnected(std::int32_t index);
    virtual bool isOutputConnected(std::int32_t index);
    virtual void decibelToText(float gain, char* text);
    virtual void samplesToHzText(float samples, char* text);
    virtual void samplesToMsText(float samples, char* text);
    virtual void floatToText(float value, char* text);
    virtual void integerToText(std::int32_t value, char* text);

    AEffect* getRecord() { return &record; }
    void attachEditor(EditorBase* newEditor);
    EditorBase* getEditor() const { return editor; }

    EffectBase(const EffectBase&) = delete;
    EffectBase& operator=(const EffectBase&) = delete;

protected:
    // Calls the host, or gives the fallback when there is no host callback.
    std::intptr_t callHost(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                           float opt, std::intptr_t fallback);
    void setFlag(std::int32_t flag, bool state);

    float sampleRate = 44100.0f;
    EditorBase* editor = nullptr; // owned
    audioMasterCallback hostCallback;
    std::int32_t programCount;
    std::int32_t parameterCount;
    std::int32_t currentProgram = 0;
    std::int32_t blockSize = 1024;
    AEffect record;
};
