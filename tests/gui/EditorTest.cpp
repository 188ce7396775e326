// The control base's value model and redraw rule, and the bitmap editor base: its rectangle,
// idle passes, the throttle and what happens when the effect goes while the editor is open.
#include <gtest/gtest.h>

#include "framework/effect/GuiEditor.h"
#include "framework/gui/controls/Control.h"
#include "framework/gui/controls/ControlListener.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/RecordingHost.h"

using namespace guitest;
using platform::testing::advanceTickCount;
using platform::testing::setTickCount;
using Log = std::vector<std::string>;

namespace {

class CountingControl : public Control {
public:
    CountingControl(const Rect& size, ControlListener* listener, std::int32_t tag)
        : Control(size, listener, tag) {}
    void draw(DrawContext&) override { ++draws; }
    int draws = 0;
};

class RecordingListener : public ControlListener {
public:
    void valueChanged(DrawContext&, Control* control) override { changed.push_back(control); }
    std::vector<Control*> changed;
};

class ControlTest : public GuiTest {
protected:
    RecordingListener listener;
    CountingControl control{Rect(1, 2, 3, 4), &listener, 7};
    DrawContext context{nullptr, nullptr, nullptr};
};

TEST_F(ControlTest, ANewControlStartsWithItsDocumentedValues) {
    EXPECT_EQ(control.getValue(), 0.0f);
    EXPECT_EQ(control.getDrawnValue(), -1.0f);
    EXPECT_EQ(control.getDefaultValue(), 0.5f);
    EXPECT_EQ(control.getMin(), 0.0f);
    EXPECT_EQ(control.getMax(), 1.0f);
    EXPECT_TRUE(control.acceptsMouse());
    EXPECT_EQ(control.getTag(), 7);
    EXPECT_EQ(control.getListener(), &listener);
    EXPECT_EQ(control.getSize(), Rect(1, 2, 3, 4));
    EXPECT_EQ(control.getFrame(), nullptr);
}

TEST_F(ControlTest, DrawIfChangedDrawsOnlyWhenTheValueDiffersFromTheDrawnOne) {
    enum class Step { drawIfChanged, setValue, setDrawnValue };
    struct Case {
        Step step;
        float argument;
        int expectedDraws;
        float expectedDrawn;
    };
    const Case steps[] = {
        {Step::drawIfChanged, 0, 1, 0.0f}, // a new control draws once
        {Step::drawIfChanged, 0, 1, 0.0f}, // and then not again
        {Step::setValue, 2.0f, 1, 0.0f},   // setters never draw
        {Step::drawIfChanged, 0, 2, 2.0f}, // no clamping: 2 is drawn and recorded
        {Step::setDrawnValue, 2.0f, 2, 2.0f},
        {Step::drawIfChanged, 0, 2, 2.0f}, // drawn value = value: suppressed
        {Step::setDrawnValue, 2.1f, 2, 2.1f},
        {Step::drawIfChanged, 0, 3, 2.0f}, // any other drawn value forces a redraw
        {Step::setValue, -0.5f, 3, 2.0f},
        {Step::drawIfChanged, 0, 4, -0.5f},
    };
    for (const Case& c : steps) {
        switch (c.step) {
        case Step::drawIfChanged:
            control.drawIfChanged(context);
            break;
        case Step::setValue:
            control.setValue(c.argument);
            break;
        case Step::setDrawnValue:
            control.setDrawnValue(c.argument);
            break;
        }
        EXPECT_EQ(control.draws, c.expectedDraws);
        EXPECT_EQ(control.getDrawnValue(), c.expectedDrawn);
    }
    EXPECT_EQ(control.getValue(), -0.5f);
}

TEST_F(ControlTest, TheSettersOnlyStore) {
    control.setMin(-3.0f);
    control.setMax(9.0f);
    control.setDefaultValue(0.75f);
    control.setAcceptsMouse(false);
    control.setValue(12.0f);
    EXPECT_EQ(control.getMin(), -3.0f);
    EXPECT_EQ(control.getMax(), 9.0f);
    EXPECT_EQ(control.getDefaultValue(), 0.75f);
    EXPECT_FALSE(control.acceptsMouse());
    EXPECT_EQ(control.getValue(), 12.0f);
    EXPECT_EQ(control.draws, 0);
    EXPECT_TRUE(listener.changed.empty());
    // The base control reacts to no press.
    control.onMouseDown(context, Point(2, 3));
    EXPECT_TRUE(listener.changed.empty());
}

class EditorTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        setTickCount(100000);
        effect = new TestEffect(host.callback());
        editor = new TestEditor(effect);
    }
    void TearDown() override {
        delete effect;
        GuiTest::TearDown();
    }

    std::size_t hostIdles() const { return host.callsOf(audioMasterIdle).size(); }

    RecordingHost host;
    TestEffect* effect = nullptr;
    TestEditor* editor = nullptr; // owned by the effect
    Log log;
};

TEST_F(EditorTest, IdleTickRunsTheThrottledIdleOnlyThroughAFrameWithAnEditor) {
    advanceTickCount(1000);
    CountingControl loose(Rect(0, 0, 10, 10), nullptr, 0);
    loose.idleTick();
    EXPECT_EQ(editor->idles, 0);

    {
        Frame orphan(Rect(0, 0, 10, 10), nullptr, nullptr);
        auto* control = new CountingControl(Rect(0, 0, 10, 10), nullptr, 0);
        orphan.attachView(control);
        control->idleTick();
        EXPECT_EQ(editor->idles, 0);
    }

    HostWindow window;
    editor->open(window.parent());
    auto* control = new CountingControl(Rect(0, 0, 10, 10), nullptr, 0);
    editor->getFrame()->attachView(control);
    control->idleTick();
    EXPECT_EQ(editor->idles, 1);
    EXPECT_EQ(hostIdles(), 1u);
    control->idleTick(); // within 50 ms of the last
    EXPECT_EQ(editor->idles, 1);
    editor->close();
}

TEST_F(EditorTest, TheEditorAttachesItselfAndHandsOutItsRectangle) {
    EXPECT_EQ(effect->getEditor(), editor);
    EXPECT_NE(effect->getRecord()->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(editor->getLastIdleTime(), 100000u);
    EXPECT_EQ(editor->getEffect(), effect);

    ERect* rect = nullptr;
    EXPECT_EQ(effect->dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 100);
    EXPECT_EQ(rect->right, 200);
    ERect* again = nullptr;
    editor->getRect(&again);
    EXPECT_EQ(again, rect);
    EXPECT_EQ(editor->getRect(nullptr), 0);
}

TEST_F(EditorTest, TheBaseOpenPostsAnUpdateAndKeepsTheParentWindow) {
    GuiEditor plain(nullptr);
    int parent = 0;
    EXPECT_EQ(plain.open(&parent), 0);
    EXPECT_EQ(plain.getFrame(), nullptr);

    EXPECT_FALSE(editor->isUpdatePending());
    HostWindow window;
    EXPECT_EQ(editor->open(window.parent()), 1);
    EXPECT_TRUE(editor->isUpdatePending());
    EXPECT_EQ(editor->getParentWindow(), window.parent());
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    EXPECT_FALSE(editor->isUpdatePending());
    editor->close();
}

TEST_F(EditorTest, AClosedEditorStillRunsItsDeferredUpdate) {
    editor->syncParameter(0, 0.5f);
    editor->syncParameter(3, 0.1f);
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    editor->redraw(nullptr); // no frame: nothing to draw
    EXPECT_EQ(editor->getFrame(), nullptr);
}

TEST_F(EditorTest, AnOpenEditorsIdleAndRedrawReachTheFrame) {
    HostWindow window;
    editor->open(window.parent());
    editor->getFrame()->attachView(new RecordingView(Rect(0, 0, 10, 10), "view", log));
    editor->idle(); // before the first paint the frame draws nothing
    EXPECT_TRUE(log.empty());
    editor->redraw(nullptr);
    EXPECT_EQ(log, Log({"view.draw"}));
    editor->idle();
    EXPECT_EQ(log, Log({"view.draw", "view.changed"}));
    editor->close();
}

struct ThrottleCase {
    std::uint32_t last;
    std::uint32_t now;
    bool runs;
};

TEST_F(EditorTest, TheThrottleRunsAtMostEvery50MillisecondsAlsoAcrossTheWrap) {
    const ThrottleCase cases[] = {
        {100000, 100000, false},
        {100000, 100049, false},
        {100000, 100050, true},
        {100000, 100051, true},
        {0xFFFFFFF0u, 0xFFFFFFF0u, false},
        {0xFFFFFFF0u, 0x00000010u, false}, // 32 ms across the wrap
        {0xFFFFFFF0u, 0x00000021u, false}, // 49 ms
        {0xFFFFFFF0u, 0x00000022u, true},  // 50 ms
        {0xFFFFFFE0u, 0xFFFFFFF0u, false}, // 16 ms just before the wrap
        {0xFFFFFFD0u, 0x00000002u, true},
    };
    for (const ThrottleCase& c : cases) {
        editor->idles = 0;
        host.calls.clear();
        editor->setLastIdleTime(c.last);
        setTickCount(c.now);
        editor->throttledIdle();
        EXPECT_EQ(editor->idles, c.runs ? 1 : 0) << c.last << " -> " << c.now;
        EXPECT_EQ(hostIdles(), c.runs ? 1u : 0u) << c.last << " -> " << c.now;
        EXPECT_EQ(editor->getLastIdleTime(), c.runs ? c.now : c.last);
    }
}

TEST_F(EditorTest, TheThrottleCountsFromItsLastRun) {
    const struct {
        std::uint32_t advance;
        int idles;
    } steps[] = {{0, 0}, {49, 0}, {1, 1}, {30, 1}, {19, 1}, {1, 2}, {200, 3}};
    for (const auto& step : steps) {
        advanceTickCount(step.advance);
        editor->throttledIdle();
        EXPECT_EQ(editor->idles, step.idles);
    }
    EXPECT_EQ(hostIdles(), 3u);
}

TEST_F(EditorTest, AnEditorWithoutAnEffectStillThrottles) {
    GuiEditor plain(nullptr);
    advanceTickCount(60);
    plain.throttledIdle();
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(EditorTest, DestroyingTheEffectWhileTheEditorIsOpenTakesTheWindowAndViewsAlong) {
    HostWindow window;
    editor->open(window.parent());
    editor->getFrame()->attachView(new RecordingView(Rect(0, 0, 10, 10), "view", log));
    HWND child = editor->getFrame()->getWindowHandle();
    ASSERT_TRUE(IsWindow(child));

    delete effect; // no effEditClose first
    effect = nullptr;
    EXPECT_EQ(log, Log({"view.destroyed"}));
    EXPECT_FALSE(IsWindow(child));
    // Nothing of the editor is left to receive messages.
    platform::testing::pumpMessages();
}

TEST_F(EditorTest, AFrameLeftOpenByADerivedEditorIsCutOffAndDestroyedByTheBase) {
    HostWindow window;
    editor->closesInDestructor = false;
    editor->open(window.parent());
    auto* field = new RecordingView(Rect(0, 0, 10, 10), "field", log);
    editor->getFrame()->attachView(field);
    editor->getFrame()->setEditingView(field);
    HWND child = editor->getFrame()->getWindowHandle();

    delete effect;
    effect = nullptr;
    // The editing view would report to the derived editor, which is gone by now: it is
    // dropped without ending its editing.
    EXPECT_EQ(log, Log({"field.destroyed"}));
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(EditorTest, AnEditorDestroyedOnItsOwnLeavesTheEffectWithoutOne) {
    delete editor;
    EXPECT_EQ(effect->getEditor(), nullptr);
    EXPECT_EQ(effect->getRecord()->flags & effFlagsHasEditor, 0);
    // The effect's destruction in TearDown must not destroy it a second time.
}

} // namespace
