// Sample buffers with a guard zone after each channel's frames, filled with a marker
// value, so that a plug-in that processes more frames than it was given is caught.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vsthost {

class GuardedChannels {
public:
    static constexpr int guardFrames = 256;

    GuardedChannels(int channels, int frames);
    // The channel pointers point into the object's own storage.
    GuardedChannels(const GuardedChannels&) = delete;
    GuardedChannels& operator=(const GuardedChannels&) = delete;

    // The frames of every channel, one after the other, for comparing outputs.
    std::vector<float> snapshot() const;

    int channels() const { return static_cast<int>(pointers.size()) - 1; }
    int frames() const { return frameCount; }
    float* channel(int index) { return pointers[static_cast<std::size_t>(index)]; }
    float** data() { return pointers.data(); }

    // Fills every channel's frames with value and re-arms every guard.
    void fill(float value);
    // Copies the same samples into every channel and re-arms every guard.
    void fill(const float* samples);

    // Empty when every guard is intact, otherwise which channel was written past its end
    // and how far.
    std::string damage() const;

private:
    int frameCount;
    std::uint32_t guardBits;
    std::vector<float> samples;
    std::vector<float*> pointers;
};

} // namespace vsthost
