// What the editors do when memory runs out: at any allocation inside open nothing half-made
// is kept and open reports 0; when the editor itself cannot be made the host gets no record.
//
// This program replaces the nothrow allocation function, which is what the framework's own
// allocations use, with one that can be told to fail.
#include <gtest/gtest.h>

#include <new>

#include "framework/effect/Module.h"
#include "framework/effect/PluginEntry.h"
#include "framework/gui/Bitmap.h"
#include "tests/editors/EditorFixture.h"

namespace {

// Nothrow allocations that may still succeed; below 0, all do.
int allocationsLeft = -1;
int allocationsMade = 0;

// Counts the allocation and says whether it may succeed.
bool mayAllocate() {
    ++allocationsMade;
    if (allocationsLeft == 0) {
        return false;
    }
    if (allocationsLeft > 0) {
        --allocationsLeft;
    }
    return true;
}

} // namespace

// The single and array forms each take memory from their own throwing form, so that every
// kind of delete finds what it expects.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return mayAllocate() ? ::operator new(size) : nullptr;
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return mayAllocate() ? ::operator new[](size) : nullptr;
    } catch (...) {
        return nullptr;
    }
}

namespace {

class AllocationFailureTest : public editortest::EditorTest {
protected:
    void TearDown() override {
        allocationsLeft = -1;
        EditorTest::TearDown();
    }
};

TEST_P(AllocationFailureTest, AFailedOpenLeavesTheEditorClosedAndCanBeRetried) {
    const std::size_t windowsBefore = platform::testing::allWindows().size();
    const int objectsBefore = platform::testing::liveObjectCount();
    bool opened = false;
    int failures = 0;
    for (int budget = 0; budget < 500 && !opened; ++budget) {
        allocationsLeft = budget;
        const std::intptr_t result = open();
        allocationsLeft = -1;
        if (result == 1) {
            opened = true;
            break;
        }
        ++failures;
        EXPECT_EQ(result, 0);
        EXPECT_EQ(editor()->getFrame(), nullptr) << budget;
        EXPECT_EQ(editor()->getTrackBitmap(), nullptr) << budget;
        EXPECT_EQ(editor()->getHandleBitmap(), nullptr) << budget;
        EXPECT_EQ(editor()->getSlider(0), nullptr) << budget;
        EXPECT_EQ(editor()->getBackgroundBitmap()->getReferenceCount(), 1) << budget;
        EXPECT_EQ(platform::testing::allWindows().size(), windowsBefore) << budget;
        EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore) << budget;
        // The host goes on using the closed editor.
        idle();
        hostSets(0, 0.3f);
    }
    // One failure per allocation: two bitmaps, the frame and every control at least.
    EXPECT_GE(failures, 3 + 2 * parameterCount());
    ASSERT_TRUE(opened);
    EXPECT_EQ(editor()->getFrame()->getViewCount(), 2 * parameterCount());
}

// How many nothrow allocations making the plug-in takes; the last two are the editor and
// its background bitmap.
int allocationsToMake(const snapshot::EditorPlugin& plugin, audioMasterCallback host) {
    allocationsMade = 0;
    delete plugin.make(host);
    return allocationsMade;
}

TEST_P(AllocationFailureTest, WithoutItsEditorThePlugInIsNotHandedOut) {
    const auto& plugin = editortest::pluginNamed(GetParam());
    const int total = allocationsToMake(plugin, host.callback());
    // The effect object itself, and the editor.
    for (int budget : {0, total - 2}) {
        outOfMemory = false;
        allocationsLeft = budget;
        AEffect* record = createPluginRecord(host.callback(), plugin.make);
        allocationsLeft = -1;
        EXPECT_EQ(record, nullptr) << budget;
    }
    outOfMemory = false;
}

TEST_P(AllocationFailureTest, AnEditorWithoutItsBackgroundDoesNotOpen) {
    const auto& plugin = editortest::pluginNamed(GetParam());
    const int total = allocationsToMake(plugin, host.callback());
    outOfMemory = false;
    allocationsLeft = total - 1;
    std::unique_ptr<EffectBase> bare(plugin.make(host.callback()));
    allocationsLeft = -1;
    ASSERT_NE(bare, nullptr);
    EXPECT_FALSE(outOfMemory);
    auto* bareEditor = static_cast<SliderPanelEditor*>(bare->getEditor());
    ASSERT_NE(bareEditor, nullptr);
    EXPECT_EQ(bareEditor->getBackgroundBitmap(), nullptr);
    EXPECT_EQ(bareEditor->open(hostWindow.parent()), 0);
    EXPECT_EQ(bareEditor->getFrame(), nullptr);
    EXPECT_EQ(bareEditor->getTrackBitmap(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Plugins, AllocationFailureTest,
                         ::testing::Values("tarvik", "ombrel", "quisel"), editortest::pluginName);

} // namespace
