// Drives an effect the way a careless host might: arbitrary opcodes, indices, values and
// floats, parameter calls and processing of any block length. Pointers only ever point at
// valid buffers of the sizes the interface gives, each allocated to exactly that size so
// that the address sanitizer sees any write past its end.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/effect/vst2/Interface.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzPlugins.h"

namespace {

std::intptr_t VST_CALL fuzzHost(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t, void*,
                                float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// The size of the buffer a host hands over with an opcode; 0 means no pointer.
std::size_t bufferSizeFor(std::int32_t opcode) {
    switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetProgramNameIndexed:
        return kProgramNameSize;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return kShortTextSize;
    case effGetEffectName:
        return 32;
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
        return 64;
    case effGetInputProperties:
    case effGetOutputProperties:
    case effGetParameterProperties:
        return 256;
    case effCanDo:
        return 32;
    default:
        return 0;
    }
}

void callDispatcher(AEffect* effect, FuzzInput& in) {
    // Mostly opcodes the interface knows, sometimes anything at all.
    std::int32_t opcode = in.takeBool() ? static_cast<std::int32_t>(in.takeByte() % 60)
                                        : static_cast<std::int32_t>(in.takeU32());
    if (opcode == effClose || opcode == effEditOpen) {
        opcode = effIdentify; // the session ends below; the editor has its own target
    }
    const auto index = static_cast<std::int32_t>(in.takeU32());
    const std::intptr_t value = static_cast<std::int32_t>(in.takeU32());
    const float opt = in.takeFloat();

    const std::size_t size = bufferSizeFor(opcode);
    std::unique_ptr<char[]> buffer;
    void* ptr = nullptr;
    ERect* rect = nullptr;
    void* chunk = nullptr;
    if (opcode == effEditGetRect) {
        ptr = &rect;
    } else if (opcode == effGetChunk) {
        ptr = &chunk;
    } else if (size > 0) {
        buffer.reset(new char[size]);
        // Texts the plug-in reads (names set, can-do queries) are terminated within size.
        in.takeText(buffer.get(), size);
        ptr = buffer.get();
    }
    std::intptr_t safeValue = value;
    if (opcode == effSetSpeakerArrangement || opcode == effSetChunk) {
        safeValue = 0; // these pass a pointer or a byte count in value
    }
    effect->dispatcher(effect, opcode, index, safeValue, ptr, opt);
    if (opcode == effEditGetRect && rect != nullptr) {
        volatile std::int16_t width = static_cast<std::int16_t>(rect->right - rect->left);
        (void)width;
    }
}

void callProcessing(AEffect* effect, FuzzInput& in, bool replacing) {
    const std::int32_t frames = static_cast<std::int32_t>(in.takeU16() % 9000) - 100;
    const std::size_t length = frames > 0 ? static_cast<std::size_t>(frames) : 0;
    std::vector<float> input(length), left(length), right(length);
    for (float& sample : input) {
        sample = in.takeSample();
    }
    float* inputs[] = {input.data()};
    float* outputs[] = {left.data(), right.data()};
    if (replacing) {
        effect->processReplacing(effect, inputs, outputs, frames);
    } else {
        effect->process(effect, inputs, outputs, frames);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    AEffect* effect = makeFuzzEffect(in.takeByte(), fuzzHost);
    if (effect == nullptr) {
        return 0;
    }
    int steps = 0;
    while (!in.empty() && steps++ < 64) {
        switch (in.takeByte() % 6) {
        case 0:
        case 1:
            callDispatcher(effect, in);
            break;
        case 2:
            effect->setParameter(effect, static_cast<std::int32_t>(in.takeByte()) - 8,
                                 in.takeFloat());
            break;
        case 3:
            effect->getParameter(effect, static_cast<std::int32_t>(in.takeByte()) - 8);
            break;
        case 4:
            callProcessing(effect, in, false);
            break;
        case 5:
            callProcessing(effect, in, true);
            break;
        }
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return 0;
}
