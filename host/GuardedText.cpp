#include "host/GuardedText.h"

#include <algorithm>
#include <cstring>

namespace vsthost {

GuardedText::GuardedText(std::size_t capacity)
    : capacityBytes(capacity), storage(capacity + guardSize) {
    prepare();
}

char* GuardedText::prepare() {
    std::fill(storage.begin(), storage.begin() + static_cast<std::ptrdiff_t>(capacityBytes), '\0');
    std::fill(storage.begin() + static_cast<std::ptrdiff_t>(capacityBytes), storage.end(),
              static_cast<char>(guardPattern));
    return storage.data();
}

std::size_t GuardedText::overrun() const {
    for (std::size_t i = storage.size(); i > capacityBytes; --i) {
        if (static_cast<unsigned char>(storage[i - 1]) != guardPattern) {
            return i - capacityBytes;
        }
    }
    return 0;
}

bool GuardedText::terminated() const {
    return std::memchr(storage.data(), 0, capacityBytes) != nullptr;
}

std::string GuardedText::text() const {
    // Only the bytes the plug-in touched count: the untouched guard is not text.
    const std::size_t written = capacityBytes + overrun();
    const char* begin = storage.data();
    const void* end = std::memchr(begin, 0, written);
    const std::size_t length =
        end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - begin) : written;
    return std::string(begin, length);
}

} // namespace vsthost
