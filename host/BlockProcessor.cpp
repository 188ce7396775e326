#include "host/BlockProcessor.h"

#include <algorithm>

namespace vsthost {

BlockProcessor::BlockProcessor(PluginInstance& instance, int frames, Mode processMode,
                               int outputFrames)
    : plugin(instance), blockSize(std::max(frames, 1)), mode(processMode),
      spareInputs(std::max(instance.record()->numInputs, 0), blockSize),
      outputs(std::max(instance.record()->numOutputs, 0),
              std::max(outputFrames / blockSize, 1) * blockSize),
      inputView(std::max(instance.record()->numInputs, 0), 0),
      outputView(std::max(instance.record()->numOutputs, 0), 0) {
    for (int c = 1; c < inputView.channels(); ++c) {
        inputView.point(c, spareInputs.channel(c));
    }
}

void BlockProcessor::run(const float* input, int frames) {
    const int outputFrames = outputs.frames();
    for (int offset = 0; offset < frames; offset += blockSize) {
        const int length = std::min(blockSize, frames - offset);
        const std::int64_t blockStart = framesDone + offset;
        while (nextTimed < timed.size() && timed[nextTimed].frame <= blockStart) {
            plugin.setParameter(timed[nextTimed].index, timed[nextTimed].value);
            ++nextTimed;
        }
        if (inputView.channels() > 0) {
            // The interface passes non-const pointers; the plug-in is trusted not to write
            // into its input, and a copy per block would cost more than the plug-in.
            inputView.point(0, const_cast<float*>(input) + offset);
        }
        if (inputView.channels() > 1) {
            spareInputs.clear(length);
        }
        const int at = offset % outputFrames;
        for (int c = 0; c < outputView.channels(); ++c) {
            outputView.point(c, outputs.channel(c) + at);
        }
        if (mode == Mode::add) {
            outputView.clear(length);
            plugin.process(inputView.data(), outputView.data(), length);
        } else {
            plugin.processReplacing(inputView.data(), outputView.data(), length);
        }
    }
    framesDone += frames;
}

} // namespace vsthost
