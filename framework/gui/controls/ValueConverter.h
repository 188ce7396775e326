// Turns a display's value into the text it shows. The buffer holds 256 characters; the
// converter writes a terminated text of at most 255 of them.
#pragma once

inline constexpr int valueTextCapacity = 256;

using ValueConverter = void (*)(float value, char* text);
