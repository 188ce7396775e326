// Sample buffers for a processing call: a number of channels of a fixed number of frames,
// allocated once, and the array of channel pointers the processing functions take.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vsthost {

class ChannelBuffers {
public:
    ChannelBuffers(int channels, int frames)
        : frameCount(frames), samples(static_cast<std::size_t>(std::max(channels, 0)) *
                                      static_cast<std::size_t>(std::max(frames, 0))),
          pointers(static_cast<std::size_t>(std::max(channels, 0)) + 1, nullptr) {
        for (std::size_t c = 0; c + 1 < pointers.size(); ++c) {
            pointers[c] = samples.data() + c * static_cast<std::size_t>(frameCount);
        }
    }

    // The channel pointers point into the object's own storage.
    ChannelBuffers(const ChannelBuffers&) = delete;
    ChannelBuffers& operator=(const ChannelBuffers&) = delete;

    int channels() const { return static_cast<int>(pointers.size()) - 1; }
    int frames() const { return frameCount; }
    float* channel(int index) { return pointers[static_cast<std::size_t>(index)]; }
    // Never null, even without channels: some plug-ins read the array regardless.
    float** data() { return pointers.data(); }

    void clear() { std::fill(samples.begin(), samples.end(), 0.0f); }
    void clear(int frames) {
        for (int c = 0; c < channels(); ++c) {
            std::fill(channel(c), channel(c) + frames, 0.0f);
        }
    }

    // Points a channel at memory owned elsewhere, for instance a stretch of a longer
    // input; the channel's own storage stays as it was.
    void point(int index, float* at) { pointers[static_cast<std::size_t>(index)] = at; }

private:
    int frameCount;
    std::vector<float> samples;
    std::vector<float*> pointers;
};

} // namespace vsthost
