// A text buffer of exactly the size the interface promises a plug-in, followed by guard
// bytes, so that a plug-in that writes past the end is caught instead of silently
// corrupting the host's memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vsthost {

class GuardedText {
public:
    static constexpr std::size_t guardSize = 64;
    static constexpr unsigned char guardPattern = 0xA5;

    explicit GuardedText(std::size_t capacity);

    // Clears the text area and re-arms the guard; call before every hand-over.
    char* prepare();

    std::size_t capacity() const { return capacityBytes; }

    // How many bytes past the end the plug-in touched (0 when it stayed inside).
    std::size_t overrun() const;
    // Whether a terminator lies inside the buffer proper.
    bool terminated() const;
    // The text as the plug-in wrote it, up to its terminator, even where it ran into the
    // guard; blanks are kept.
    std::string text() const;

private:
    std::size_t capacityBytes;
    std::vector<char> storage;
};

} // namespace vsthost
