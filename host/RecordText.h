// How the host writes the plug-in record's codes and flags for people.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vsthost {

// "VstP": the four characters, most significant byte first; bytes that are not printable
// show as '.'.
std::string fourCharText(std::int32_t code);
// "0x56737450".
std::string hexText(std::int32_t code);
// The names of the set flag bits, lowest first; unnamed bits as "bit N".
std::vector<std::string> flagNames(std::int32_t flags);
// "effect", "instrument", ... for effGetPlugCategory's answer.
std::string categoryName(std::intptr_t category);

} // namespace vsthost
