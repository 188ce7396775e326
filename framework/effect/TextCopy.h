// Bounded copies into the fixed text buffers that hosts hand over.
#pragma once

#include <cstddef>
#include <cstring>

// Copies at most maxCharacters characters of source and a terminator into destination,
// which must hold maxCharacters + 1 bytes.
inline void copyText(char* destination, const char* source, std::size_t maxCharacters) {
    std::size_t length = 0;
    while (length < maxCharacters && source[length] != 0) {
        ++length;
    }
    std::memcpy(destination, source, length);
    destination[length] = 0;
}
