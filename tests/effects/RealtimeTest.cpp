// Real-time safety of the processing: no allocation, no subnormal numbers left in the state
// however long the silence after a sound, and the host's floating-point mode given back.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

#include "framework/effect/DenormalGuard.h"
#include "tests/effects/EffectHarness.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
    void* p = std::malloc(size == 0 ? 1 : size);
    return p;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
    const auto a = static_cast<std::size_t>(alignment);
    return std::aligned_alloc(a, (size + a - 1) / a * a);
}

} // namespace

// Every form of the global allocation functions counts while counting is on.
void* operator new(std::size_t size) {
    if (void* p = allocate(size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    if (void* p = allocateAligned(size, alignment)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return operator new(size, alignment);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}

namespace {

const Kind everyKind[] = {Kind::tarvik, Kind::ombrel, Kind::quisel};

class CountAllocations {
public:
    CountAllocations() {
        allocations.store(0);
        counting.store(true);
    }
    ~CountAllocations() { counting.store(false); }
    int count() const { return allocations.load(); }
};

TEST(Realtime, TheAllocationCounterSeesAnAllocation) {
    static void* volatile sink = nullptr;
    CountAllocations counter;
    sink = ::operator new(16);
    ::operator delete(sink);
    EXPECT_EQ(counter.count(), 1);
}

TEST(Realtime, ProcessingAllocatesNothing) {
    for (Kind kind : everyKind) {
        auto effect = newEffect(kind);
        Noise noise;
        std::vector<float> in = noise.block(512);
        std::vector<float> left(512), right(512);
        float* inputs[1] = {in.data()};
        float* outputs[2] = {left.data(), right.data()};
        const float settings[] = {0.0f, 0.3f, 1.0f, 2.0f};
        CountAllocations counter;
        for (float value : settings) {
            for (std::int32_t index = 0; index < parameterCountOf(kind); ++index) {
                effect->setParameter(index, value);
            }
            for (int block = 0; block < 200; ++block) {
                effect->processReplacing(inputs, outputs, 512);
                effect->process(inputs, outputs, 512);
                effect->processReplacing(inputs, outputs, 37);
            }
        }
        EXPECT_EQ(counter.count(), 0) << nameOf(kind);
    }
}

bool subnormal(float value) {
    return std::fpclassify(value) == FP_SUBNORMAL;
}

template <typename Container> int subnormalsIn(const Container& values) {
    int count = 0;
    for (float v : values) {
        count += subnormal(v) ? 1 : 0;
    }
    return count;
}

int subnormalsInState(EffectBase& effect, Kind kind) {
    switch (kind) {
    case Kind::tarvik: {
        const auto& s = static_cast<TarvikEffect&>(effect).signalState();
        return subnormal(s.envelope) + subnormal(s.fluctuatePhase) + subnormal(s.writePosition) +
               subnormalsIn(s.stageOut) + subnormalsIn(s.stageIn) + subnormalsIn(s.delayLine);
    }
    case Kind::ombrel: {
        const auto& s = static_cast<OmbrelEffect&>(effect).signalState();
        return subnormal(s.sweepPosition) + subnormal(s.writePosition) +
               subnormalsIn(s.leftHistory) + subnormalsIn(s.rightHistory) +
               subnormalsIn(s.delayLine);
    }
    case Kind::quisel: {
        auto& quisel = static_cast<QuiselEffect&>(effect);
        const auto& s = quisel.chorusState();
        int count = subnormal(s.lfoPhase) + subnormal(s.writePosition) + subnormalsIn(s.chorusLine);
        for (std::int32_t i = 0; i < QuiselEffect::kRingSize; ++i) {
            count += subnormal(quisel.ringData()[i]) ? 1 : 0;
        }
        return count;
    }
    }
    return 0;
}

struct DecayCase {
    Kind kind;
    friend void PrintTo(const DecayCase& c, std::ostream* os) { *os << c.name; }
    // Index and value pairs on top of program 0.
    std::vector<std::pair<std::int32_t, float>> settings;
    const char* name;
};

class SubnormalDecay : public testing::TestWithParam<DecayCase> {};

TEST_P(SubnormalDecay, ImpulseThenSixtySecondsOfSilenceLeavesNoSubnormal) {
    if (!DenormalGuard::effective) {
        GTEST_SKIP() << "no flush-to-zero control on this processor";
    }
    const DecayCase c = GetParam();
    for (Mode mode : {Mode::replace, Mode::add}) {
        auto effect = newEffect(c.kind);
        for (const auto& [index, value] : c.settings) {
            effect->setParameter(index, value);
        }
        std::vector<float> in(512, 0.0f), left(512), right(512);
        float* inputs[1] = {in.data()};
        float* outputs[2] = {left.data(), right.data()};
        in[0] = 1.0f;
        int outputSubnormals = 0;
        const int blocks = 60 * 44100 / 512;
        for (int block = 0; block < blocks; ++block) {
            std::fill(left.begin(), left.end(), 0.0f);
            std::fill(right.begin(), right.end(), 0.0f);
            if (mode == Mode::replace) {
                effect->processReplacing(inputs, outputs, 512);
            } else {
                effect->process(inputs, outputs, 512);
            }
            in[0] = 0.0f;
            outputSubnormals += subnormalsIn(left) + subnormalsIn(right);
        }
        EXPECT_EQ(subnormalsInState(*effect, c.kind), 0) << c.name << " " << nameOf(mode);
        EXPECT_EQ(outputSubnormals, 0) << c.name << " " << nameOf(mode);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Effects, SubnormalDecay,
    testing::Values(DecayCase{Kind::tarvik, {}, "tarvik_program0"},
                    DecayCase{Kind::tarvik,
                              {{TarvikEffect::filterRes, 1.0f},
                               {TarvikEffect::delayFeedback, 0.9f},
                               {TarvikEffect::delaySize, 0.01f}},
                              "tarvik_resonant"},
                    DecayCase{Kind::ombrel, {}, "ombrel_program0"},
                    // An unmoving sweep leaves one resonator at frequency 0, a double real
                    // pole that decays slowly, and the other fixed at high radius.
                    DecayCase{Kind::ombrel,
                              {{OmbrelEffect::sweepRate, 0.0f},
                               {OmbrelEffect::filterRes, 0.9f},
                               {OmbrelEffect::delayFeedback, 0.99f},
                               {OmbrelEffect::distDepth, 0.0f}},
                              "ombrel_unswept"},
                    DecayCase{Kind::quisel, {}, "quisel_program0"},
                    DecayCase{
                        Kind::quisel,
                        {{QuiselEffect::delayFeedback, 0.99f}, {QuiselEffect::delayTime, 0.01f}},
                        "quisel_long_feedback"}),
    [](const testing::TestParamInfo<DecayCase>& info) { return std::string(info.param.name); });

#if QMT_DENORMAL_GUARD_MXCSR
class HostMode : public testing::TestWithParam<unsigned> {};

TEST_P(HostMode, ProcessingGivesTheHostsFloatingPointModeBack) {
    const unsigned saved = _mm_getcsr();
    for (Kind kind : everyKind) {
        auto effect = newEffect(kind);
        std::vector<float> in(64, 0.5f), left(64), right(64);
        float* inputs[1] = {in.data()};
        float* outputs[2] = {left.data(), right.data()};
        _mm_setcsr(GetParam());
        effect->processReplacing(inputs, outputs, 64);
        const unsigned afterReplacing = _mm_getcsr();
        effect->process(inputs, outputs, 64);
        const unsigned afterAdding = _mm_getcsr();
        _mm_setcsr(saved);
        // Exception flags may have been raised on the way; the modes must be the host's.
        constexpr unsigned flags = 0x3F;
        EXPECT_EQ(afterReplacing & ~flags, GetParam() & ~flags) << nameOf(kind);
        EXPECT_EQ(afterAdding & ~flags, GetParam() & ~flags) << nameOf(kind);
    }
}

INSTANTIATE_TEST_SUITE_P(Realtime, HostMode,
                         testing::Values(0x1F80u,           // the default: all masked, no flushing
                                         0x1F80u | 0x8040u, // a host that flushes already
                                         0x1F80u | 0x6000u)); // round toward zero
#endif

} // namespace
