// One program of the bank: a value per parameter and a name.
#pragma once

#include <array>

#include "framework/effect/TextCopy.h"
#include "framework/effect/vst2/Interface.h"

template <int N> struct ProgramRecord {
    std::array<float, N> values{};
    char name[kProgramNameSize] = "Init";

    void setName(const char* text) { copyText(name, text, kProgramNameSize - 1); }
};
