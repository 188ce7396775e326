// The three plug-in libraries as a Linux host sees them: each editor inside an X11 window of
// the host's, on a virtual X server of the test's own, driven by the server's real pointer
// while the host keeps calling the editor's idle. What the server shows is compared with the
// picture the same editor draws headless.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <png.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

#include "framework/effect/SliderPanelEditor.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/VerticalSlider.h"
#include "host/PluginInstance.h"
#include "host/plughost/X11HostWindow.h"
#include "tests/x11/XvfbServer.h"
#include "tools/snapshot/EditorPicture.h"

namespace {

using namespace std::chrono_literals;
using plughost::Picture;
using Clock = std::chrono::steady_clock;

// Where the host's window lies on the root window: away from the corner, so that a wrong
// conversion between root and window coordinates shows.
constexpr int hostX = 40;
constexpr int hostY = 30;
constexpr std::uint32_t blankColor = 0xFF00FF;
// Before a plughost command line: a sanitizer build's leak checker stays quiet about the
// module-wide tables of the library plughost unloads.
constexpr const char* quietLeaks = "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" ";

struct PluginCase {
    const char* name; // as snapshot::editorPlugins names it
    const char* library;
};

const PluginCase pluginCases[] = {
    {"tarvik", QMT_TARVIK},
    {"ombrel", QMT_OMBREL},
    {"quisel", QMT_QUISEL},
};

XvfbServer& server() {
    static XvfbServer instance;
    return instance;
}

std::string& serverProblem() {
    static std::string why;
    return why;
}

class ServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        XInitThreads(); // the pointer is driven from a thread of its own
        // The libraries' platform layer keeps module-wide tables it never frees; kept mapped,
        // they stay reachable and the leak checker of a sanitizer build does not report them.
        for (const PluginCase& plugin : pluginCases) {
            dlopen(plugin.library, RTLD_NOW | RTLD_NODELETE);
        }
        if (server().start(serverProblem())) {
            setenv("DISPLAY", server().display().c_str(), 1);
        }
    }
    void TearDown() override { server().kill(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// What the same editor draws headless, with the same parameter values.
Picture headlessPicture(const char* name, const std::vector<float>& values) {
    for (const snapshot::EditorPlugin& plugin : snapshot::editorPlugins()) {
        if (std::string(plugin.name) != name) {
            continue;
        }
        std::unique_ptr<EffectBase> effect(plugin.make(snapshot::quietHost()));
        for (std::size_t p = 0; p < values.size(); ++p) {
            effect->setParameter(std::int32_t(p), values[p]);
        }
        const platform::testing::Image image = snapshot::pictureOfEditor(*effect);
        return Picture{image.width, image.height, image.pixels};
    }
    return {};
}

// Where a slider of the editor is and what it resets to, from the headless twin.
struct SliderPlace {
    int left = 0;
    int top = 0;
    int handleTop = 0;
    int minimum = 0;
    int range = 0;
    float defaultValue = 0;
};

SliderPlace sliderPlace(const char* name, std::int32_t parameter, float value) {
    SliderPlace place;
    for (const snapshot::EditorPlugin& plugin : snapshot::editorPlugins()) {
        if (std::string(plugin.name) != name) {
            continue;
        }
        std::unique_ptr<EffectBase> effect(plugin.make(snapshot::quietHost()));
        effect->setParameter(parameter, value);
        // pictureOfEditor opens, paints and closes; the slider positions come from a paint of
        // our own, inside a window of memory only.
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.lpszClassName = "X11TestHost";
        RegisterClassA(&windowClass);
        HWND host = CreateWindowExA(0, "X11TestHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                                    nullptr, nullptr, nullptr, nullptr);
        effect->dispatcher(effEditOpen, 0, 0, host, 0.0f);
        auto* editor = static_cast<SliderPanelEditor*>(effect->getEditor());
        platform::testing::paint(editor->getFrame()->getWindowHandle());
        VerticalSlider* slider = editor->getSlider(parameter);
        place.left = slider->getSize().left;
        place.top = slider->getSize().top;
        place.handleTop = slider->getHandlePosition();
        place.minimum = slider->getSize().top;
        place.range = slider->getBody()->getHeight() - slider->getHandle()->getHeight() - 1;
        place.defaultValue = slider->getDefaultValue();
        effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        DestroyWindow(host);
    }
    return place;
}

// A host with one plug-in instance and one top-level window, which opens the editor in it.
class X11Host {
public:
    bool load(const char* library, std::string& error) {
        auto loaded = vsthost::PluginLibrary::load(library, error);
        if (loaded == nullptr) {
            return false;
        }
        instance = vsthost::PluginInstance::create(loaded, error);
        if (instance == nullptr) {
            return false;
        }
        instance->open();
        instance->setSampleRate(44100.0f);
        instance->setBlockSize(512);
        instance->resume();
        return window.connect(error);
    }

    bool openEditor(std::string& error) {
        ERect* rect = nullptr;
        if (instance->dispatch(effEditGetRect, 0, 0, &rect) == 0 || rect == nullptr) {
            error = "no editor rectangle";
            return false;
        }
        if (window.id() == 0 && !window.create(hostX, hostY, rect->right - rect->left,
                                               rect->bottom - rect->top, blankColor, error)) {
            return false;
        }
        if (instance->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window.id())) != 1) {
            error = "effEditOpen failed";
            return false;
        }
        return true;
    }

    void idle() {
        instance->dispatch(effEditIdle);
        window.drainEvents();
    }

    // Idles until the condition holds or the time is up; the condition's last answer.
    bool idleUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
        const auto deadline = Clock::now() + limit;
        while (Clock::now() < deadline) {
            idle();
            if (condition()) {
                return true;
            }
            std::this_thread::sleep_for(2ms);
        }
        return condition();
    }

    // Idles until what the server shows has settled on a picture other than the blank window.
    Picture settledPicture() {
        Picture now, before;
        idleUntil(
            [&] {
                if (!window.grab(now)) {
                    return false;
                }
                const bool settled = now == before && now.pixels.front() != blankColor;
                before = now;
                return settled;
            },
            3000ms);
        return now;
    }

    void closeEditor() { instance->dispatch(effEditClose); }

    std::unique_ptr<vsthost::PluginInstance> instance;
    plughost::X11HostWindow window;
};

class X11EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server().running()) {
            GTEST_SKIP() << serverProblem();
        }
    }
};

// ---- pictures

class EditorPictureTest : public X11EditorTest, public ::testing::WithParamInterface<PluginCase> {};

TEST_P(EditorPictureTest, ServerShowsTheHeadlessPicture) {
    const PluginCase& plugin = GetParam();
    X11Host host;
    std::string error;
    ASSERT_TRUE(host.load(plugin.library, error)) << error;
    // Not the values of program 0: the sliders and displays must show what the host set.
    std::vector<float> values;
    for (std::int32_t p = 0; p < host.instance->record()->numParams; ++p) {
        values.push_back(float(p + 1) / float(host.instance->record()->numParams + 1));
        host.instance->setParameter(p, values.back());
    }
    ASSERT_TRUE(host.openEditor(error)) << error;
    const Picture shown = host.settledPicture();
    const Picture expected = headlessPicture(plugin.name, values);
    ASSERT_GT(expected.width, 0);
    EXPECT_EQ(shown.width, expected.width);
    EXPECT_EQ(shown.height, expected.height);
    EXPECT_TRUE(shown == expected)
        << "the editor on the X server differs from its headless picture";
    host.closeEditor();
}

INSTANTIATE_TEST_SUITE_P(Plugins, EditorPictureTest, ::testing::ValuesIn(pluginCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- plughost shot

TEST_F(X11EditorTest, PlughostShotSavesTheEditorsPicture) {
    const std::string out =
        std::string(QMT_TEST_OUTPUT) + "/tarvik-shot-" + std::to_string(getpid()) + ".png";
    std::filesystem::create_directories(QMT_TEST_OUTPUT);
    std::filesystem::remove(out);
    // plughost unloads the library and with it those tables: no leak report for them.
    const std::string command = std::string(quietLeaks) + QMT_PLUGHOST + " shot " + QMT_TARVIK +
                                " " + out + " --set 0=0.25 --set 8=1 > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<float> values(9, -1.0f);
    // The other parameters keep program 0's values: read them from a fresh instance.
    X11Host reference;
    std::string error;
    ASSERT_TRUE(reference.load(QMT_TARVIK, error)) << error;
    for (std::int32_t p = 0; p < 9; ++p) {
        values[std::size_t(p)] = reference.instance->parameter(p);
    }
    values[0] = 0.25f;
    values[8] = 1.0f;
    const Picture expected = headlessPicture("tarvik", values);
    Picture saved;
    {
        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        ASSERT_NE(png_image_begin_read_from_file(&png, out.c_str()), 0);
        png.format = PNG_FORMAT_RGB;
        std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(png));
        ASSERT_NE(png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr), 0);
        saved.width = int(png.width);
        saved.height = int(png.height);
        for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
            saved.pixels.push_back((std::uint32_t(bytes[i]) << 16) |
                                   (std::uint32_t(bytes[i + 1]) << 8) | bytes[i + 2]);
        }
    }
    EXPECT_TRUE(saved == expected) << "plughost shot's picture differs from the headless one";
    std::filesystem::remove(out);
}

TEST(PlughostShot, WithoutADisplaySaysSoAndFails) {
    const std::string command = "env -u DISPLAY " + std::string(quietLeaks) + QMT_PLUGHOST +
                                " shot " + QMT_TARVIK + " /dev/null 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe);
    EXPECT_NE(status, 0);
    EXPECT_EQ(output, "plughost: error: no X display (DISPLAY is not set)\n");
}

// ---- the real pointer

// Drives the server's pointer from a thread of its own, as a person would while the host's
// user-interface thread sits in the editor's idle.
class Pointer {
public:
    Pointer() {
        for (int attempt = 0; attempt < 6 && display == nullptr; ++attempt) {
            display = XOpenDisplay(nullptr);
            if (display == nullptr) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1 << attempt));
            }
        }
    }
    ~Pointer() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }
    bool usable() {
        int event = 0, error = 0, major = 0, minor = 0;
        return display != nullptr && XTestQueryExtension(display, &event, &error, &major, &minor);
    }
    void moveTo(int x, int y) {
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XSync(display, False);
    }
    void button(bool down) {
        XTestFakeButtonEvent(display, 1, down, CurrentTime);
        XSync(display, False);
    }
    void alt(bool down) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Alt_L), down, CurrentTime);
        XSync(display, False);
    }

private:
    Display* display = nullptr;
};

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// The value a drag gives with the cursor at row with the grip, as the slider computes it.
float dragValue(const SliderPlace& place, int row, int grip) {
    const float range = float(place.range);
    const float fromTop = float(double(row - place.minimum - grip) / double(range));
    float value = float(1.0 - double(fromTop));
    return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

TEST_F(X11EditorTest, DraggingASliderMovesItsParameterAndRepaints) {
    constexpr std::int32_t parameter = 1;
    X11Host host;
    std::string error;
    ASSERT_TRUE(host.load(QMT_TARVIK, error)) << error;
    host.instance->setParameter(parameter, 0.5f);
    ASSERT_TRUE(host.openEditor(error)) << error;
    host.settledPicture();
    Pointer pointer;
    ASSERT_TRUE(pointer.usable()) << "no XTest extension on the server";

    const SliderPlace place = sliderPlace("tarvik", parameter, 0.5f);
    constexpr int grip = 5;
    const int x = hostX + place.left + 7;
    const int pressRow = place.handleTop + grip;
    const int targetRow = place.minimum + 40 + grip;
    const float expected = dragValue(place, targetRow, grip);
    auto& context = host.instance->host();
    const std::uint32_t automatedBefore = context.callCount(audioMasterAutomate);

    std::atomic<bool> reached{false}, done{false};
    std::thread hand([&] {
        pointer.moveTo(x, hostY + pressRow);
        pointer.button(true);
        // A first step, so that the drag has something to report once it runs.
        pointer.moveTo(x, hostY + pressRow - 10);
        waitFor([&] { return context.callCount(audioMasterAutomate) > automatedBefore; }, 3000ms);
        pointer.moveTo(x, hostY + targetRow);
        reached = waitFor([&] { return context.lastAutomatedValue.load() == expected; }, 3000ms);
        pointer.button(false);
        done = true;
    });
    host.idleUntil([&] { return done.load(); }, 8000ms);
    hand.join();
    ASSERT_TRUE(reached) << "the drag never reported " << expected << " to the host";
    EXPECT_EQ(context.lastAutomatedIndex.load(), parameter);
    EXPECT_EQ(host.instance->parameter(parameter), expected);

    // The slider and its display, redrawn: the picture of the same values headless.
    std::vector<float> values;
    for (std::int32_t p = 0; p < host.instance->record()->numParams; ++p) {
        values.push_back(host.instance->parameter(p));
    }
    const Picture expectedPicture = headlessPicture("tarvik", values);
    Picture shown;
    const bool same =
        host.idleUntil([&] { return host.window.grab(shown) && shown == expectedPicture; }, 2000ms);
    EXPECT_TRUE(same) << "the slider or its display was not repainted";
    std::filesystem::create_directories(QMT_TEST_OUTPUT);
    std::string ignored;
    plughost::savePng(shown, std::string(QMT_TEST_OUTPUT) + "/tarvik-dragged.png", ignored);
    host.closeEditor();
}

TEST_F(X11EditorTest, AltPressResetsTheSlider) {
    constexpr std::int32_t parameter = 2;
    X11Host host;
    std::string error;
    ASSERT_TRUE(host.load(QMT_OMBREL, error)) << error;
    host.instance->setParameter(parameter, 0.2f);
    ASSERT_TRUE(host.openEditor(error)) << error;
    host.settledPicture();
    Pointer pointer;
    ASSERT_TRUE(pointer.usable()) << "no XTest extension on the server";
    const SliderPlace place = sliderPlace("ombrel", parameter, 0.2f);
    auto& context = host.instance->host();
    const std::uint32_t automatedBefore = context.callCount(audioMasterAutomate);

    std::atomic<bool> done{false};
    std::thread hand([&] {
        // On the track well away from the handle: the reset does not look where the press is.
        pointer.moveTo(hostX + place.left + 7, hostY + place.top + 8);
        pointer.alt(true);
        pointer.button(true);
        waitFor([&] { return context.callCount(audioMasterAutomate) > automatedBefore; }, 3000ms);
        pointer.button(false);
        pointer.alt(false);
        done = true;
    });
    host.idleUntil([&] { return done.load(); }, 8000ms);
    hand.join();
    EXPECT_EQ(context.callCount(audioMasterAutomate), automatedBefore + 1);
    EXPECT_EQ(context.lastAutomatedIndex.load(), parameter);
    EXPECT_EQ(host.instance->parameter(parameter), place.defaultValue);
    host.closeEditor();
}

// The press reaches the editor through its own idle here, so the close the host asks for
// from inside the drag completes when that idle returns.
TEST_F(X11EditorTest, AHostClosingTheEditorDuringADragIsSurvived) {
    constexpr std::int32_t parameter = 0;
    X11Host host;
    std::string error;
    ASSERT_TRUE(host.load(QMT_QUISEL, error)) << error;
    host.instance->setParameter(parameter, 0.5f);
    ASSERT_TRUE(host.openEditor(error)) << error;
    host.settledPicture();
    Pointer pointer;
    ASSERT_TRUE(pointer.usable()) << "no XTest extension on the server";
    const SliderPlace place = sliderPlace("quisel", parameter, 0.5f);
    auto& context = host.instance->host();
    std::atomic<int> closes{0};
    context.idleReaction = [&] {
        if (closes.fetch_add(1) == 0) {
            host.closeEditor();
        }
    };

    std::atomic<bool> done{false};
    std::thread hand([&] {
        pointer.moveTo(hostX + place.left + 7, hostY + place.handleTop + 5);
        pointer.button(true);
        pointer.moveTo(hostX + place.left + 7, hostY + place.handleTop - 5);
        waitFor([&] { return closes.load() > 0; }, 3000ms);
        // Still held a while after the close: the drag must have let go already.
        std::this_thread::sleep_for(100ms);
        pointer.button(false);
        done = true;
    });
    const bool closed =
        host.idleUntil([&] { return closes.load() > 0 && host.window.childCount() == 0; }, 8000ms);
    host.idleUntil([&] { return done.load(); }, 8000ms);
    hand.join();
    context.idleReaction = nullptr;
    EXPECT_TRUE(closed) << "the editor's window stayed";

    ASSERT_TRUE(host.openEditor(error)) << error;
    EXPECT_NE(host.settledPicture().pixels.front(), blankColor);
    host.closeEditor();
}

// ---- life cycle

TEST_F(X11EditorTest, OpeningAndClosingTenTimesLeavesNothing) {
    X11Host host;
    std::string error;
    ASSERT_TRUE(host.load(QMT_QUISEL, error)) << error;
    const int descriptors = openDescriptors();
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(host.openEditor(error)) << error;
        host.idle();
        EXPECT_EQ(host.window.childCount(), 1) << "round " << round;
        // The library's own connection to the server, opened for the editor.
        EXPECT_EQ(openDescriptors(), descriptors + 1) << "round " << round;
        host.closeEditor();
        EXPECT_EQ(host.window.childCount(), 0) << "round " << round;
        EXPECT_EQ(openDescriptors(), descriptors) << "round " << round;
    }
}

int hostErrors = 0;
int countHostError(Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
}

TEST_F(X11EditorTest, HostDestroyingTheParentFirstIsSurvived) {
    // With and without an idle between the parent's end and effEditClose.
    for (const bool idleBetween : {true, false}) {
        X11Host host;
        std::string error;
        ASSERT_TRUE(host.load(QMT_TARVIK, error)) << error;
        const int descriptors = openDescriptors();
        XErrorHandler previous = XSetErrorHandler(countHostError);
        ASSERT_TRUE(host.openEditor(error)) << error;
        host.settledPicture();
        host.window.destroyWindow();
        if (idleBetween) {
            for (int i = 0; i < 20; ++i) {
                host.idle();
                std::this_thread::sleep_for(1ms);
            }
            // The window went with the parent, and with the last window the connection.
            EXPECT_EQ(openDescriptors(), descriptors);
        }
        host.closeEditor();
        EXPECT_EQ(openDescriptors(), descriptors);

        // Errors of the host's own connection still reach the host's handler.
        hostErrors = 0;
        XWindowAttributes attributes{};
        XGetWindowAttributes(host.window.display(), 0x1FFFFFF, &attributes);
        XSync(host.window.display(), False);
        EXPECT_EQ(hostErrors, 1);
        XSetErrorHandler(previous);

        // And the editor opens again in a new window.
        ASSERT_TRUE(host.openEditor(error)) << error;
        const Picture shown = host.settledPicture();
        EXPECT_NE(shown.pixels.front(), blankColor);
        host.closeEditor();
    }
}

TEST_F(X11EditorTest, ServerEndingUnderAnOpenEditorIsSurvived) {
    XvfbServer doomed;
    std::string why;
    ASSERT_TRUE(doomed.start(why)) << why;
    const std::string display = std::getenv("DISPLAY");
    setenv("DISPLAY", doomed.display().c_str(), 1);
    {
        X11Host host;
        std::string error;
        const bool opened = host.load(QMT_TARVIK, error) && host.openEditor(error);
        setenv("DISPLAY", display.c_str(), 1);
        ASSERT_TRUE(opened) << error;
        host.settledPicture();
        doomed.kill();
        for (int i = 0; i < 5; ++i) {
            host.idle();
        }
        host.closeEditor();
    }
    SUCCEED() << "the host is still running";
}

} // namespace
