#include "host/RecordText.h"

#include "framework/effect/vst2/Interface.h"

#include <array>
#include <cstdio>
#include <utility>

namespace vsthost {

std::string fourCharText(std::int32_t code) {
    const auto bits = static_cast<std::uint32_t>(code);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<unsigned char>((bits >> shift) & 0xFF);
        text += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
    }
    return text;
}

std::string hexText(std::int32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

std::vector<std::string> flagNames(std::int32_t flags) {
    static const std::array<std::pair<std::int32_t, const char*>, 10> names{{
        {effFlagsHasEditor, "effFlagsHasEditor"},
        {effFlagsHasClip, "effFlagsHasClip"},
        {effFlagsHasVu, "effFlagsHasVu"},
        {effFlagsCanMono, "effFlagsCanMono"},
        {effFlagsCanReplacing, "effFlagsCanReplacing"},
        {effFlagsProgramChunks, "effFlagsProgramChunks"},
        {effFlagsIsSynth, "effFlagsIsSynth"},
        {effFlagsNoSoundInStop, "effFlagsNoSoundInStop"},
        {effFlagsExtIsAsync, "effFlagsExtIsAsync"},
        {effFlagsExtHasBuffer, "effFlagsExtHasBuffer"},
    }};
    std::vector<std::string> result;
    const auto bits = static_cast<std::uint32_t>(flags);
    for (int bit = 0; bit < 32; ++bit) {
        const std::uint32_t mask = 1u << bit;
        if ((bits & mask) == 0) {
            continue;
        }
        std::string name = "bit " + std::to_string(bit);
        for (const auto& [value, text] : names) {
            if (static_cast<std::uint32_t>(value) == mask) {
                name = text;
            }
        }
        result.push_back(name);
    }
    return result;
}

std::string categoryName(std::intptr_t category) {
    static const std::array<const char*, 12> names{
        "unknown",     "effect",          "instrument",  "analysis",
        "mastering",   "spatializer",     "room effect", "surround effect",
        "restoration", "offline process", "shell",       "generator"};
    if (category >= 0 && category < static_cast<std::intptr_t>(names.size())) {
        return names[static_cast<std::size_t>(category)];
    }
    return "category " + std::to_string(category);
}

} // namespace vsthost
