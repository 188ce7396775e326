#include "host/BlockProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <new>
#include <ostream>
#include <vector>

// Every allocation of the test program is counted while counting is on. The replacement
// pair is malloc and free; GCC cannot see that they match.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};
} // namespace

namespace {
void* countedAllocation(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
    return std::malloc(size == 0 ? 1 : size);
}
} // namespace

// Every form, so that memory a loaded plug-in allocates with one and frees with another
// meets the same pair.
void* operator new(std::size_t size) {
    if (void* memory = countedAllocation(size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocation(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

namespace {

using vsthost::BlockProcessor;

std::unique_ptr<vsthost::PluginInstance> loadStarted(const std::string& path) {
    std::string error;
    auto library = vsthost::PluginLibrary::load(path, error);
    auto plugin = library ? vsthost::PluginInstance::create(library, error) : nullptr;
    if (plugin == nullptr) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    plugin->open();
    plugin->setSampleRate(44100.0f);
    plugin->setBlockSize(64);
    plugin->resume();
    return plugin;
}

TEST(BlockProcessor, AppliesTimedParametersAtTheNextBlockBoundary) {
    auto plugin = loadStarted(FIXTURE_GOOD);
    ASSERT_NE(plugin, nullptr);
    const std::vector<vsthost::TimedParameter> timed{{0, 1, 1.0f}, {65, 0, 2.0f}, {128, 0, 3.0f}};
    BlockProcessor processor(*plugin, 64, BlockProcessor::Mode::replace, 256);
    processor.setTimedParameters(timed);
    const std::vector<float> input(256, 1.0f);
    processor.run(input.data(), 200);
    EXPECT_EQ(processor.timedParametersApplied(), 3u);
    EXPECT_EQ(processor.position(), 200);
    // 65 falls inside the second block: applied at 128, together with the change due there.
    EXPECT_EQ(processor.output(0)[127], 0.5f);
    EXPECT_EQ(processor.output(0)[128], 3.0f);
    EXPECT_EQ(processor.output(1)[0], 1.0f);
}

TEST(BlockProcessor, AddModeHoldsOnlyWhatTheBlockAdded) {
    auto plugin = loadStarted(FIXTURE_GOOD);
    ASSERT_NE(plugin, nullptr);
    BlockProcessor processor(*plugin, 32, BlockProcessor::Mode::add, 32);
    const std::vector<float> input(96, 1.0f);
    processor.run(input.data(), 96);
    // Three blocks into the same 32 frames: without clearing they would hold 1.5.
    EXPECT_EQ(processor.output(0)[0], 0.5f);
    EXPECT_EQ(processor.output(1)[31], 0.25f);
}

struct AllocationCase {
    const char* label;
    const char* path;
    BlockProcessor::Mode mode;
};

void PrintTo(const AllocationCase& c, std::ostream* out) {
    *out << c.label;
}

class ProcessingLoop : public testing::TestWithParam<AllocationCase> {};

TEST_P(ProcessingLoop, AllocatesNothingWhileItRuns) {
    const AllocationCase& c = GetParam();
    if (std::string(c.path).empty()) {
        GTEST_SKIP() << c.label << " is not part of this build";
    }
    // Our libraries' platform layer keeps module-wide tables it never frees; kept mapped,
    // they stay reachable and the leak checker of a sanitizer build does not report them.
    dlopen(c.path, RTLD_NOW | RTLD_NODELETE);
    auto plugin = loadStarted(c.path);
    ASSERT_NE(plugin, nullptr);
    std::vector<vsthost::TimedParameter> timed;
    for (int k = 0; k < 50; ++k) {
        timed.push_back({k * 100, 0, static_cast<float>(k % 10) / 10.0f});
    }
    BlockProcessor processor(*plugin, 64, c.mode, 4096);
    processor.setTimedParameters(timed);
    std::vector<float> input(4096);
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i] = static_cast<float>(i % 97) / 97.0f - 0.5f;
    }
    allocations = 0;
    counting = true;
    for (int run = 0; run < 4; ++run) {
        processor.run(input.data(), 4000);
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(processor.timedParametersApplied(), timed.size());
}

INSTANTIATE_TEST_SUITE_P(
    Plugins, ProcessingLoop,
    testing::Values(AllocationCase{"fixtureReplace", FIXTURE_GOOD, BlockProcessor::Mode::replace},
                    AllocationCase{"fixtureAdd", FIXTURE_GOOD, BlockProcessor::Mode::add},
                    AllocationCase{"TarvikReplace", PLUGIN_TARVIK, BlockProcessor::Mode::replace},
                    AllocationCase{"OmbrelAdd", PLUGIN_OMBREL, BlockProcessor::Mode::add},
                    AllocationCase{"QuiselReplace", PLUGIN_QUISEL, BlockProcessor::Mode::replace},
                    AllocationCase{"QuiselAdd", PLUGIN_QUISEL, BlockProcessor::Mode::add}),
    [](const testing::TestParamInfo<AllocationCase>& info) {
        return std::string(info.param.label);
    });

} // namespace
