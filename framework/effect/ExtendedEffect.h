// The second-generation level of the framework: the opcodes 25 to 58, one operation for
// each host-callback opcode an effect may need, and four more flag setters.
#pragma once

#include "framework/effect/EffectBase.h"

class ExtendedEffect : public EffectBase {
public:
    ExtendedEffect(audioMasterCallback hostCallback, std::int32_t programCount,
                   std::int32_t parameterCount);
    ~ExtendedEffect() override;

    std::intptr_t dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                             void* ptr, float opt) override;

    virtual void requestEvents(std::int32_t filter);
    virtual VstTimeInfo* askHostTime(std::int32_t filter);
    virtual std::int32_t askHostTempoAt(std::int32_t samplePosition);
    virtual std::int32_t receiveEvents(VstEvents* events);
    virtual std::int32_t askHostAutomatableCount();
    virtual std::int32_t askHostParameterQuantization();
    virtual bool isParameterAutomatable(std::int32_t index);
    virtual bool parameterFromText(std::int32_t index, char* text);
    virtual float getChannelParameterValue(std::int32_t channel, std::int32_t index);
    virtual std::int32_t getProgramCategoryCount();
    virtual bool getIndexedProgramName(std::int32_t category, std::int32_t index, char* text);
    virtual bool copyCurrentProgram(std::int32_t destination);
    virtual bool tellHostIoChanged();
    virtual bool askHostForIdle();
    virtual bool askHostToResizeWindow(std::int32_t width, std::int32_t height);
    virtual float refreshSampleRate();
    virtual std::int32_t refreshBlockSize();
    virtual std::int32_t askHostInputLatency();
    virtual std::int32_t askHostOutputLatency();
    virtual AEffect* askHostPreviousPlugin(std::int32_t input);
    virtual AEffect* askHostNextPlugin(std::int32_t output);
    virtual void inputConnectionChanged(std::int32_t index, bool connected);
    virtual void outputConnectionChanged(std::int32_t index, bool connected);
    virtual bool getInputPinProperties(std::int32_t index, VstPinProperties* properties);
    virtual bool getOutputPinProperties(std::int32_t index, VstPinProperties* properties);
    virtual std::int32_t getPluginCategory();
    virtual std::int32_t askHostReplaceOrAccumulate();
    virtual std::int32_t askHostProcessLevel();
    virtual std::int32_t askHostAutomationState();
    virtual void setAsyncOperation(bool state);
    virtual void setExternalBuffer(bool state);
    virtual std::int32_t getCurrentPosition();
    virtual float* getDestinationBuffer();
    virtual bool hostOfflineRead(VstOfflineTask* task, std::int32_t option, bool readSource);
    virtual bool hostOfflineWrite(VstOfflineTask* task, std::int32_t option);
    virtual bool hostOfflineStart(VstAudioFile* files, std::int32_t fileCount,
                                  std::int32_t newFileCount);
    virtual std::int32_t askHostOfflinePass();
    virtual std::int32_t askHostOfflineMetaPass();
    virtual bool notifyOffline(VstAudioFile* files, std::int32_t fileCount, bool start);
    virtual bool prepareOffline(VstOfflineTask* tasks, std::int32_t count);
    virtual bool runOffline(VstOfflineTask* tasks, std::int32_t count);
    virtual std::int32_t getOfflinePassCount();
    virtual std::int32_t getOfflineMetaPassCount();
    virtual void setHostOutputSampleRate(float rate);
    virtual bool askHostSpeakerArrangement(VstSpeakerArrangement* input,
                                           VstSpeakerArrangement* output);
    virtual bool askHostVendorText(char* text);
    virtual bool askHostProductText(char* text);
    virtual std::int32_t askHostVendorVersion();
    virtual std::int32_t askHostVendorSpecific(std::int32_t index, std::intptr_t value, void* ptr,
                                               float opt);
    virtual std::int32_t askHostCanDo(char* text);
    virtual void setIsSynth(bool state);
    virtual void setNoSoundInStop(bool state);
    virtual std::int32_t askHostLanguage();
    virtual void* askHostOpenWindow(VstWindow* window);
    virtual bool askHostCloseWindow(VstWindow* window);
    virtual void* askHostDirectory();
    virtual bool tellHostUpdateDisplay();
    virtual bool processVariableIo(VstVariableIo* io);
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output);
    virtual void setBlockSizeAndRate(std::int32_t size, float rate);
    virtual bool setBypass(bool bypass);
    virtual bool getEffectName(char* text);
    virtual bool getErrorText(char* text);
    virtual bool getVendorText(char* text);
    virtual bool getProductText(char* text);
    virtual std::int32_t getVendorVersion();
    virtual std::int32_t vendorSpecific(std::int32_t index, std::intptr_t value, void* ptr,
                                        float opt);
    virtual std::int32_t canPluginDo(char* text);
    virtual void* getIcon();
    virtual bool setViewPosition(std::int32_t x, std::int32_t y);
    virtual std::int32_t getTailSize();
    virtual std::int32_t idleEffect();
    virtual bool getParameterProperties(std::int32_t index, VstParameterProperties* properties);
    virtual bool needsKeys();
    virtual std::int32_t getInterfaceVersion();

    bool sendEventsToHost(VstEvents* events);
};
