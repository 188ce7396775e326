// The two directions between an editor and its effect, the editor's lifetime (open, close,
// open again, the effect going while the editor is open) and the record the host sees.
#include <gtest/gtest.h>

#include "framework/gui/Bitmap.h"
#include "tests/editors/EditorFixture.h"

namespace {

using editortest::EditorTest;
using editortest::pointer;

TEST_P(EditorTest, TheRecordAnnouncesTheEditor) {
    EXPECT_EQ(record()->flags, 21); // editor, meter, replacing
    EXPECT_EQ(record()->uniqueID, 0x516D7477);
    ERect* rect = nullptr;
    ASSERT_EQ(record()->dispatcher(record(), effEditGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    Bitmap* background = editor()->getBackgroundBitmap();
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, background->getHeight());
    EXPECT_EQ(rect->right, background->getWidth());
}

TEST_P(EditorTest, AClosedEditorIsLeftAloneAndOpeningShowsTheCurrentValues) {
    for (std::int32_t p = 0; p < parameterCount(); ++p) {
        hostSets(p, 0.1f + 0.08f * p);
    }
    EXPECT_EQ(editor()->getFrame(), nullptr);
    EXPECT_EQ(editor()->getSlider(0), nullptr);
    idle();

    ASSERT_EQ(open(), 1);
    for (std::int32_t p = 0; p < parameterCount(); ++p) {
        const float value = 0.1f + 0.08f * p;
        EXPECT_EQ(effect->getParameter(p), value);
        EXPECT_EQ(editor()->getSlider(p)->getValue(), value) << p;
        const SliderPanelColumn* column = nullptr;
        for (std::int32_t k = 0; k < editor()->getLayout().columnCount; ++k) {
            if (editor()->getLayout().columns[k].parameter == p) {
                column = &editor()->getLayout().columns[k];
            }
        }
        ASSERT_NE(column, nullptr);
        EXPECT_EQ(editor()->getDisplay(p)->getValue(), value * column->displayScale) << p;
    }
}

TEST_P(EditorTest, DraggingASliderToTheTopAutomatesOne) {
    ASSERT_EQ(open(), 1);
    paint();
    for (VerticalSlider* slider : slidersLeftToRight()) {
        const std::int32_t p = slider->getTag();
        host.calls.clear();
        dragHandle(slider, {pointer(0, -400), pointer(0, -400, false)});
        const auto automated = automation();
        ASSERT_FALSE(automated.empty()) << p;
        EXPECT_EQ(automated.back().index, p);
        EXPECT_EQ(automated.back().opt, 1.0f);
        EXPECT_EQ(effect->getParameter(p), 1.0f);
        EXPECT_EQ(slider->getHandlePosition(), editor()->getLayout().sliderTop);
    }
}

TEST_P(EditorTest, HostChangesRepaintTheDisplayAtTheNextIdle) {
    ASSERT_EQ(open(), 1);
    paint();
    for (std::int32_t p = 0; p < parameterCount(); ++p) {
        ValueDisplay* display = editor()->getDisplay(p);
        ASSERT_EQ(display->getDrawnValue(), display->getValue());
        hostSets(p, 0.25f);
        EXPECT_NE(display->getDrawnValue(), display->getValue()) << p;
        EXPECT_EQ(editor()->getSlider(p)->getValue(), 0.25f);
        idle();
        EXPECT_EQ(display->getDrawnValue(), display->getValue()) << p;
        EXPECT_EQ(editor()->getSlider(p)->getDrawnValue(), 0.25f);
    }
}

TEST_P(EditorTest, TheDisplayFollowsADragThroughTheThrottledIdle) {
    ASSERT_EQ(open(), 1);
    paint();
    // 60 ms pass at each poll, so every step of the drag gets its idle pass.
    platform::testing::setTickCount(100000);
    platform::testing::setTickStepPerCursorPoll(60);
    VerticalSlider* slider = slidersLeftToRight().front();
    ValueDisplay* display = editor()->getDisplay(slider->getTag());
    dragHandle(slider, {pointer(0, 120), pointer(0, 130), pointer(0, 130, false)});
    EXPECT_NE(slider->getValue(), 0.5f);
    EXPECT_EQ(display->getDrawnValue(), display->getValue());
    EXPECT_FALSE(host.callsOf(audioMasterIdle).empty());
}

// Hosts may close the editor from inside the idle a drag gives them. The drag then lets go
// of the mouse, and the editor closes once the press has unwound; an open asked for in
// between is refused.
TEST_P(EditorTest, AHostClosingTheEditorDuringADragClosesItWhenTheDragHasLetGo) {
    const std::size_t windowsBefore = platform::testing::allWindows().size();
    ASSERT_EQ(open(), 1);
    paint();
    platform::testing::setTickCount(100000);
    platform::testing::setTickStepPerCursorPoll(60);
    std::vector<std::intptr_t> reopened;
    host.reactTo(audioMasterIdle, [this, &reopened] {
        close();
        reopened.push_back(open());
    });
    VerticalSlider* slider = slidersLeftToRight().front();
    // Held for far longer than the first idle.
    std::vector<editortest::InputState> held(200, pointer(0, 130));
    held.push_back(pointer(0, 130, false));
    dragHandle(slider, held);
    host.reactTo(audioMasterIdle, {});

    EXPECT_EQ(editor()->getFrame(), nullptr);
    EXPECT_EQ(platform::testing::allWindows().size(), windowsBefore);
    ASSERT_EQ(reopened.size(), 1u) << "the drag went on after the close";
    EXPECT_EQ(reopened[0], 0);
    EXPECT_FALSE(automation().empty());
    EXPECT_EQ(open(), 1);
}

TEST_P(EditorTest, AltClickResetsToTheColumnsDefault) {
    for (std::int32_t p = 0; p < parameterCount(); ++p) {
        hostSets(p, 0.2f);
    }
    ASSERT_EQ(open(), 1);
    paint();
    const SliderPanelLayout& layout = editor()->getLayout();
    for (std::int32_t k = 0; k < layout.columnCount; ++k) {
        VerticalSlider* slider = editor()->getSlider(layout.columns[k].parameter);
        host.calls.clear();
        const int x = slider->getSize().left + 3;
        const int y = slider->getSize().top + 3;
        platform::testing::scriptInput({pointer(x, y, true, true), pointer(x, y, false)});
        platform::testing::pressMouse(frameWindow(), x, y);
        const auto automated = automation();
        ASSERT_EQ(automated.size(), 1u) << k;
        EXPECT_EQ(automated[0].opt, layout.columns[k].defaultValue) << k;
    }
}

TEST_P(EditorTest, TheRightButtonChangesNothing) {
    ASSERT_EQ(open(), 1);
    paint();
    VerticalSlider* slider = slidersLeftToRight().front();
    const int x = slider->getSize().left + 5;
    const int y = slider->getHandlePosition() + 5;
    platform::testing::pressMouse(frameWindow(), x, y, platform::testing::Button::right);
    EXPECT_TRUE(automation().empty());
}

TEST_P(EditorTest, ControlsWithoutAParameterAreIgnored) {
    ASSERT_EQ(open(), 1);
    HDC dc = GetDC(frameWindow());
    {
        DrawContext context(editor()->getFrame(), dc, frameWindow());
        for (std::int32_t tag : {-1, parameterCount()}) {
            Control stray(Rect(0, 0, 1, 1), editor(), tag);
            stray.setValue(0.9f);
            editor()->valueChanged(context, &stray);
        }
    }
    ReleaseDC(frameWindow(), dc);
    EXPECT_TRUE(automation().empty());
    // A host index that is no parameter only asks for an update.
    hostSets(parameterCount(), 0.9f);
    idle();
}

TEST_P(EditorTest, ReopeningLeavesOneBackgroundReferenceAndFreshSliderBitmaps) {
    Bitmap* background = editor()->getBackgroundBitmap();
    EXPECT_EQ(background->getReferenceCount(), 1);
    EXPECT_EQ(editor()->getTrackBitmap(), nullptr);

    ASSERT_EQ(open(), 1);
    EXPECT_EQ(background->getReferenceCount(), 2); // the editor's and the frame's
    // The editor's reference and one per slider.
    EXPECT_EQ(editor()->getTrackBitmap()->getReferenceCount(), 1 + parameterCount());
    EXPECT_EQ(editor()->getHandleBitmap()->getReferenceCount(), 1 + parameterCount());

    close();
    EXPECT_EQ(editor()->getFrame(), nullptr);
    EXPECT_EQ(background->getReferenceCount(), 1);
    EXPECT_EQ(editor()->getTrackBitmap(), nullptr);
    EXPECT_EQ(editor()->getHandleBitmap(), nullptr);

    ASSERT_EQ(open(), 1);
    EXPECT_EQ(background->getReferenceCount(), 2);
    ASSERT_NE(editor()->getTrackBitmap(), nullptr);
    EXPECT_EQ(editor()->getTrackBitmap()->getReferenceCount(), 1 + parameterCount());
    EXPECT_EQ(editor()->getTrackBitmap()->getWidth(), 16);
    EXPECT_EQ(editor()->getHandleBitmap()->getHeight(), 12);
}

TEST_P(EditorTest, OpeningAnOpenEditorReplacesItsFrame) {
    const std::size_t windowsBefore = platform::testing::allWindows().size();
    const int objectsBefore = platform::testing::liveObjectCount();
    ASSERT_EQ(open(), 1);
    const std::size_t windowsOpen = platform::testing::allWindows().size();
    EXPECT_EQ(windowsOpen, windowsBefore + 1);

    ASSERT_EQ(open(), 1);
    EXPECT_EQ(platform::testing::allWindows().size(), windowsOpen);
    EXPECT_EQ(editor()->getBackgroundBitmap()->getReferenceCount(), 2);
    EXPECT_EQ(editor()->getTrackBitmap()->getReferenceCount(), 1 + parameterCount());
    EXPECT_EQ(editor()->getFrame()->getViewCount(), 2 * parameterCount());

    close();
    EXPECT_EQ(platform::testing::allWindows().size(), windowsBefore);
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore);
}

TEST_P(EditorTest, ClosingTheEffectWithTheEditorOpenTakesTheWindowAlong) {
    const std::size_t windowsBefore = platform::testing::allWindows().size();
    const int objectsBefore = platform::testing::liveObjectCount();
    ASSERT_EQ(open(), 1);
    paint();
    HWND window = frameWindow();
    // effClose without effEditClose: the record's entry destroys the effect.
    AEffect* plugin = record();
    effect.release();
    plugin->dispatcher(plugin, effClose, 0, 0, nullptr, 0.0f);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(platform::testing::allWindows().size(), windowsBefore);
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore - 1); // the background too
}

INSTANTIATE_TEST_SUITE_P(Plugins, EditorTest, ::testing::Values("tarvik", "ombrel", "quisel"),
                         editortest::pluginName);

} // namespace
