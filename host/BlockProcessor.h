// The host's processing loop: input in blocks through one of the plug-in's processing
// functions, with parameter changes applied at block boundaries. Everything it touches
// is allocated when it is made, so running it allocates nothing.
#pragma once

#include "host/ChannelBuffers.h"
#include "host/PluginInstance.h"

#include <cstdint>
#include <span>

namespace vsthost {

// A parameter change due at a frame; applied at the first block boundary at or after it.
struct TimedParameter {
    std::int64_t frame = 0;
    std::int32_t index = 0;
    float value = 0.0f;
};

class BlockProcessor {
public:
    enum class Mode {
        replace, // processReplacing
        add,     // process, into outputs cleared before each block
    };

    // outputFrames is how many frames the output buffers hold, a multiple of blockSize:
    // each block's output is written at its offset within the run, modulo outputFrames, so
    // a run of at most outputFrames frames leaves all of its output there.
    BlockProcessor(PluginInstance& plugin, int blockSize, Mode mode, int outputFrames);

    // Changes in frame order; the span must outlive the processor's runs.
    void setTimedParameters(std::span<const TimedParameter> sorted) { timed = sorted; }
    std::size_t timedParametersApplied() const { return nextTimed; }

    // Processes frames frames of input channel 0 (further input channels get silence),
    // continuing the frame count of earlier runs.
    void run(const float* input, int frames);

    float* output(int channel) { return outputs.channel(channel); }
    int outputChannels() const { return outputs.channels(); }
    std::int64_t position() const { return framesDone; }

private:
    PluginInstance& plugin;
    int blockSize;
    Mode mode;
    ChannelBuffers spareInputs;
    ChannelBuffers outputs;
    ChannelBuffers inputView;
    ChannelBuffers outputView;
    std::span<const TimedParameter> timed;
    std::size_t nextTimed = 0;
    std::int64_t framesDone = 0;
};

} // namespace vsthost
