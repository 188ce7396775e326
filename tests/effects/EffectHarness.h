// Drives the bare effect classes the way a host does, without the record in between.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugins/ombrel/OmbrelEffect.h"
#include "plugins/quisel/QuiselEffect.h"
#include "plugins/tarvik/TarvikEffect.h"

enum class Kind { tarvik, ombrel, quisel };
enum class Mode { replace, add };

inline const char* nameOf(Kind kind) {
    switch (kind) {
    case Kind::tarvik:
        return "tarvik";
    case Kind::ombrel:
        return "ombrel";
    case Kind::quisel:
        return "quisel";
    }
    return "";
}

inline const char* nameOf(Mode mode) {
    return mode == Mode::replace ? "replace" : "add";
}

// The effects share no base below ExtendedEffect that knows their parameter count, so the
// harness holds them as EffectBase.
inline std::unique_ptr<EffectBase> newEffect(Kind kind) {
    switch (kind) {
    case Kind::tarvik:
        return std::make_unique<TarvikEffect>(nullptr);
    case Kind::ombrel:
        return std::make_unique<OmbrelEffect>(nullptr);
    case Kind::quisel:
        return std::make_unique<QuiselEffect>(nullptr);
    }
    return nullptr;
}

inline std::int32_t parameterCountOf(Kind kind) {
    switch (kind) {
    case Kind::tarvik:
        return 9;
    case Kind::ombrel:
        return 7;
    case Kind::quisel:
        return 5;
    }
    return 0;
}

// The noise source the golden renders were made with: the top 24 bits of an LCG, in -1 to 1,
// exact in 32 bits.
class Noise {
public:
    float next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<std::int32_t>(state >> 8) - 8388608) / 8388608.0f;
    }

    std::vector<float> block(std::size_t frames, float amplitude = 1.0f) {
        std::vector<float> samples(frames);
        for (float& s : samples) {
            s = amplitude * next();
        }
        return samples;
    }

private:
    std::uint32_t state = 12345;
};

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;
};

// One processing call on the whole input. Adding calls start from the given output values.
inline Stereo processBlock(EffectBase& effect, Mode mode, const std::vector<float>& input,
                           float leftStart = 0.0f, float rightStart = 0.0f) {
    Stereo out{std::vector<float>(input.size(), leftStart),
               std::vector<float>(input.size(), rightStart)};
    std::vector<float> in = input;
    float* inputs[1] = {in.data()};
    float* outputs[2] = {out.left.data(), out.right.data()};
    const auto frames = static_cast<std::int32_t>(input.size());
    if (mode == Mode::replace) {
        effect.processReplacing(inputs, outputs, frames);
    } else {
        effect.process(inputs, outputs, frames);
    }
    return out;
}

// The whole input in calls of at most blockSize frames.
inline Stereo render(EffectBase& effect, Mode mode, const std::vector<float>& input,
                     std::size_t blockSize = 512) {
    Stereo all;
    for (std::size_t at = 0; at < input.size(); at += blockSize) {
        const std::size_t n = std::min(blockSize, input.size() - at);
        const std::vector<float> part(input.begin() + static_cast<std::ptrdiff_t>(at),
                                      input.begin() + static_cast<std::ptrdiff_t>(at + n));
        Stereo out = processBlock(effect, mode, part);
        all.left.insert(all.left.end(), out.left.begin(), out.left.end());
        all.right.insert(all.right.end(), out.right.begin(), out.right.end());
    }
    return all;
}
