// The plumbing every one of our effects shares: a bank of 16 programs, one live value per
// parameter for the signal processing to read, the texts the host shows, and a meter
// level. An effect supplies its parameter table, its signal state and its processing.
#pragma once

#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "framework/effect/EditorBase.h"
#include "framework/effect/ExtendedEffect.h"
#include "framework/effect/Module.h"
#include "framework/effect/ParameterTable.h"
#include "framework/effect/ProgramRecord.h"
#include "framework/effect/TextCopy.h"

static_assert(std::atomic<float>::is_always_lock_free);

template <int N> class ProgramBankEffect : public ExtendedEffect {
public:
    static constexpr std::int32_t kProgramCount = 16;
    static constexpr std::int32_t kParameterCount = N;

    ~ProgramBankEffect() override { delete[] programs; }

    void setProgram(std::int32_t program) override {
        // The dispatcher filters host numbers; this also keeps direct callers in the bank.
        if (program < 0 || program >= kProgramCount) {
            return;
        }
        currentProgram = program;
        if (programs == nullptr) {
            return;
        }
        for (std::int32_t index : table.programOrder) {
            setParameter(index, programs[program].values[index]);
        }
    }

    void setProgramName(char* text) override {
        if (programs != nullptr) {
            programs[currentProgram].setName(text);
        }
    }

    void getProgramName(char* text) override {
        if (programs == nullptr) {
            text[0] = 0;
            return;
        }
        const ProgramRecord<N>& program = programs[currentProgram];
        if (std::strcmp(program.name, "Init") == 0) {
            // An untouched program shows its number: "Init 1" to "Init 16".
            char numbered[32];
            std::snprintf(numbered, sizeof(numbered), "Init %d",
                          static_cast<int>(currentProgram + 1));
            copyText(text, numbered, kProgramNameSize - 1);
        } else {
            copyText(text, program.name, kProgramNameSize - 1);
        }
    }

    void setParameter(std::int32_t index, float value) override {
        storeParameter(index, value);
        notifyEditor();
    }

    float getParameter(std::int32_t index) override {
        return isParameter(index) ? liveValue(index) : 0.0f;
    }

    void getParameterName(std::int32_t index, char* text) override {
        if (isParameter(index)) {
            copyText(text, table.parameters[index].name, kShortTextSize - 1);
        }
    }

    void getParameterUnit(std::int32_t index, char* text) override {
        if (isParameter(index)) {
            copyText(text, table.parameters[index].unit, kShortTextSize - 1);
        }
    }

    void getParameterText(std::int32_t index, char* text) override {
        if (!isParameter(index)) {
            return;
        }
        const float value = valueForText(index);
        switch (table.parameters[index].valueText) {
        case ValueText::asFloat:
            floatToText(value, text);
            break;
        case ValueText::asDecibels:
            decibelToText(value, text);
            break;
        case ValueText::asInteger:
            integerToText(wholeNumberOf(value), text);
            break;
        }
    }

    float getMeterLevel() override { return meterLevel.exchange(0.0f, std::memory_order_relaxed); }

protected:
    ProgramBankEffect(audioMasterCallback hostCallback, const ParameterTable<N>& table)
        : ExtendedEffect(hostCallback, kProgramCount, N), table(table) {
        for (int index = 0; index < N; ++index) {
            live[index].store(table.parameters[index].initialValue, std::memory_order_relaxed);
        }
        programs = new (std::nothrow) ProgramRecord<N>[kProgramCount];
        if (programs == nullptr) {
            // Without a bank there is nothing a host could save or switch to.
            outOfMemory = true;
            return;
        }
        for (std::int32_t p = 0; p < kProgramCount; ++p) {
            for (int index = 0; index < N; ++index) {
                programs[p].values[index] = table.parameters[index].programDefault;
            }
        }
    }

    // Applies program 0 and announces the record's shape. Called at the end of the
    // effect's own constructor, so that the program's values reach the effect's own
    // parameter setters.
    void finishConstruction() {
        if (programs != nullptr) {
            setProgram(0);
        }
        setInputCount(1);
        setOutputCount(2);
        setHasMeter(true);
        setCanReplace(true);
        setUniqueId(fourCharCode("Qmtv"));
    }

    static bool isParameter(std::int32_t index) { return index >= 0 && index < N; }

    // Float to integer without the undefined cases: NaN gives 0, values beyond the range
    // give its ends.
    static std::int32_t wholeNumberOf(float value) {
        if (std::isnan(value)) {
            return 0;
        }
        if (value >= 2147483648.0f) {
            return INT32_MAX;
        }
        if (value < -2147483648.0f) {
            return INT32_MIN;
        }
        return static_cast<std::int32_t>(value);
    }

    float liveValue(int index) const { return live[index].load(std::memory_order_relaxed); }

    // Stores a value unchanged, without a range check, into the current program and the
    // live value. Indices that are not parameters store nothing.
    void storeParameter(std::int32_t index, float value) {
        if (!isParameter(index)) {
            return;
        }
        if (programs != nullptr) {
            programs[currentProgram].values[index] = value;
        }
        live[index].store(value, std::memory_order_relaxed);
    }

    void notifyEditor() {
        if (editor != nullptr) {
            editor->postUpdate();
        }
    }

    // The number the value text shows; the live value unless an effect derives another.
    virtual float valueForText(std::int32_t index) { return liveValue(index); }

    std::array<std::atomic<float>, N> live{};
    std::atomic<float> meterLevel{0.0f};

private:
    const ParameterTable<N>& table;
    ProgramRecord<N>* programs = nullptr;
};
