#include "host/GuardedChannels.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace vsthost {

namespace {

// Quiet NaNs with payloads no arithmetic produces, a different one for each buffer: a
// plug-in that reads past its input and writes past its output copies the input's marker,
// which must not pass for the output's.
std::uint32_t nextGuardBits() {
    static std::atomic<std::uint32_t> counter{0};
    return 0x7FC00000u | ((0xDEADu + counter.fetch_add(1, std::memory_order_relaxed)) & 0x3FFFFFu);
}

float asFloat(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t asBits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

GuardedChannels::GuardedChannels(int channels, int frames)
    : frameCount(std::max(frames, 0)), guardBits(nextGuardBits()),
      samples(static_cast<std::size_t>(std::max(channels, 0)) *
              static_cast<std::size_t>(frameCount + guardFrames)),
      pointers(static_cast<std::size_t>(std::max(channels, 0)) + 1, nullptr) {
    for (std::size_t c = 0; c + 1 < pointers.size(); ++c) {
        pointers[c] = samples.data() + c * static_cast<std::size_t>(frameCount + guardFrames);
    }
    fill(0.0f);
}

void GuardedChannels::fill(float value) {
    for (int c = 0; c < channels(); ++c) {
        std::fill(channel(c), channel(c) + frameCount, value);
        std::fill(channel(c) + frameCount, channel(c) + frameCount + guardFrames,
                  asFloat(guardBits));
    }
}

void GuardedChannels::fill(const float* source) {
    fill(0.0f);
    for (int c = 0; c < channels(); ++c) {
        std::copy(source, source + frameCount, channel(c));
    }
}

std::vector<float> GuardedChannels::snapshot() const {
    std::vector<float> frames;
    for (std::size_t c = 0; c + 1 < pointers.size(); ++c) {
        frames.insert(frames.end(), pointers[c], pointers[c] + frameCount);
    }
    return frames;
}

std::string GuardedChannels::damage() const {
    for (std::size_t c = 0; c + 1 < pointers.size(); ++c) {
        const float* guard = pointers[c] + frameCount;
        for (int i = guardFrames; i > 0; --i) {
            if (asBits(guard[i - 1]) != guardBits) {
                return "channel " + std::to_string(c) + " written " + std::to_string(i) +
                       " frames past the " + std::to_string(frameCount) + " it was given";
            }
        }
    }
    return "";
}

} // namespace vsthost
