// What an effect declares about each of its parameters: the texts the host shows, how the
// value is turned into text, and the value a new program and a new effect start with.
#pragma once

#include <array>
#include <cstdint>

enum class ValueText {
    asFloat,    // floatToText
    asDecibels, // decibelToText
    asInteger,  // integerToText
};

struct ParameterSpec {
    const char* name;
    const char* unit;
    ValueText valueText;
    float programDefault;
    float initialValue;
};

// A parameter table and the order in which a program switch applies the values.
template <int N> struct ParameterTable {
    std::array<ParameterSpec, N> parameters;
    std::array<std::int32_t, N> programOrder;
};
