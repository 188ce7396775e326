// The three layouts as the host's user sees them: which parameter each slider moves, where
// the controls are, what the displays read and where the reset gesture returns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/editors/EditorFixture.h"

namespace {

struct Layout {
    std::string plugin;
    int width;
    int height;
    int sliderTop;
    int displayTop;
    // Left to right.
    std::vector<std::int32_t> parameters;
    std::vector<float> resetValues;
    std::vector<std::string> textsAtHalf;
};

const Layout layouts[] = {
    {"tarvik",
     350,
     290,
     79,
     255,
     {0, 1, 3, 4, 2, 5, 6, 7, 8},
     {0.5f, 0.5f, 0.75f, 0.75f, 0.75f, 0.75f, 0.75f, 0.75f, 0.75f},
     {"0.50", "50%", "50%", "50%", "50%", "5.00", "50%", "250.00", "50%"}},
    {"ombrel",
     285,
     290,
     79,
     255,
     {5, 6, 2, 0, 1, 3, 4},
     {0.75f, 0.75f, 0.75f, 0.5f, 0.5f, 0.75f, 0.75f},
     {"250.00", "50%", "50%", "0.50", "50%", "5.00", "50%"}},
    {"quisel",
     215,
     270,
     60,
     238,
     {0, 1, 3, 4, 2},
     {0.5f, 0.5f, 0.75f, 0.75f, 0.75f},
     {"20.00", "50%", "5.00", "50%", "50%"}},
};

class LayoutTest : public editortest::EditorTest {
protected:
    const Layout& expected() {
        for (const Layout& layout : layouts) {
            if (layout.plugin == GetParam()) {
                return layout;
            }
        }
        return layouts[0];
    }
};

TEST_P(LayoutTest, ControlsSitInTheirColumnsInScreenOrder) {
    const Layout& layout = expected();
    ASSERT_EQ(open(), 1);
    EXPECT_EQ(editor()->getFrame()->getSize(), Rect(0, 0, layout.width, layout.height));

    const std::vector<VerticalSlider*> sliders = slidersLeftToRight();
    const std::vector<ValueDisplay*> displays = displaysLeftToRight();
    ASSERT_EQ(sliders.size(), layout.parameters.size());
    for (std::size_t k = 0; k < sliders.size(); ++k) {
        const int left = 31 + 34 * int(k);
        EXPECT_EQ(sliders[k]->getTag(), layout.parameters[k]) << "slider " << k;
        EXPECT_EQ(sliders[k]->getSize(),
                  Rect(left, layout.sliderTop, left + 16, layout.sliderTop + 160))
            << "slider " << k;
        EXPECT_EQ(sliders[k]->getDefaultValue(), layout.resetValues[k]) << "slider " << k;
        EXPECT_EQ(displays[k], editor()->getDisplay(layout.parameters[k])) << "display " << k;
        EXPECT_EQ(displays[k]->getSize(),
                  Rect(left - 8, layout.displayTop, left + 22, layout.displayTop + 14))
            << "display " << k;
    }
}

TEST_P(LayoutTest, SlidersTravelTheWholeTrack) {
    const Layout& layout = expected();
    ASSERT_EQ(open(), 1);
    paint();
    for (VerticalSlider* slider : slidersLeftToRight()) {
        hostSets(slider->getTag(), 1.0f);
        idle();
        EXPECT_EQ(slider->getHandlePosition(), layout.sliderTop);
        hostSets(slider->getTag(), 0.0f);
        idle();
        EXPECT_EQ(slider->getHandlePosition(), layout.sliderTop + 160 - 12 - 1);
    }
}

TEST_P(LayoutTest, DisplaysReadTheirUnitsAtHalf) {
    snapshot::setAllParameters(*effect, 0.5f);
    ASSERT_EQ(open(), 1);
    std::vector<std::string> texts;
    for (ValueDisplay* display : displaysLeftToRight()) {
        texts.push_back(textOf(display));
    }
    EXPECT_EQ(texts, expected().textsAtHalf);

    // The same scale when the host changes a value with the editor open.
    snapshot::setAllParameters(*effect, 0.0f);
    snapshot::setAllParameters(*effect, 0.5f);
    texts.clear();
    for (ValueDisplay* display : displaysLeftToRight()) {
        texts.push_back(textOf(display));
    }
    EXPECT_EQ(texts, expected().textsAtHalf);
}

INSTANTIATE_TEST_SUITE_P(Plugins, LayoutTest, ::testing::Values("tarvik", "ombrel", "quisel"),
                         editortest::pluginName);

class TarvikEditorTest : public editortest::EditorTest {};

TEST_P(TarvikEditorTest, AtacShowsThirtyPercentWhenMovedAndWhenReplayed) {
    ASSERT_EQ(open(), 1);
    paint();
    VerticalSlider* atac = editor()->getSlider(3);
    HDC dc = GetDC(frameWindow());
    {
        DrawContext context(editor()->getFrame(), dc, frameWindow());
        atac->setValue(0.3f);
        editor()->valueChanged(context, atac);
    }
    ReleaseDC(frameWindow(), dc);
    ASSERT_FALSE(automation().empty());
    EXPECT_EQ(automation().back().index, 3);
    EXPECT_EQ(textOf(editor()->getDisplay(3)), "30%");

    hostSets(3, 0.0f);
    hostSets(3, 0.3f);
    idle();
    EXPECT_EQ(textOf(editor()->getDisplay(3)), "30%");
    EXPECT_EQ(editor()->getDisplay(3)->getDrawnValue(), 0.3f);
}

TEST_P(TarvikEditorTest, ProgramSwitchesReachTheOpenEditor) {
    hostSets(7, 0.1f); // program 0's delay size
    ASSERT_EQ(open(), 1);
    record()->dispatcher(record(), effSetProgram, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(editor()->getSlider(7)->getValue(), 0.5f);
    EXPECT_EQ(textOf(editor()->getDisplay(7)), "250.00");
    record()->dispatcher(record(), effSetProgram, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(textOf(editor()->getDisplay(7)), "50.00");
}

INSTANTIATE_TEST_SUITE_P(Tarvik, TarvikEditorTest, ::testing::Values("tarvik"),
                         editortest::pluginName);

} // namespace
