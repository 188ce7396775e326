#include "host/plughost/ConformanceChecks.h"

#include "host/GuardedChannels.h"
#include "host/PluginInstance.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>
#include <thread>

namespace plughost {

namespace {

using vsthost::GuardedChannels;
using vsthost::PluginInstance;
using vsthost::PluginLibrary;
using Library = std::shared_ptr<PluginLibrary>;

constexpr int announcedBlock = 512;
constexpr float checkRate = 44100.0f;

CheckOutcome fail(const std::string& detail) {
    return CheckOutcome{false, detail};
}

std::unique_ptr<PluginInstance> instanceOf(const Library& library, std::string& error) {
    return PluginInstance::create(library, error);
}

void start(PluginInstance& plugin, int blockSize = announcedBlock) {
    plugin.open();
    plugin.setSampleRate(checkRate);
    plugin.setBlockSize(blockSize);
    plugin.resume();
}

bool canReplace(const AEffect& record) {
    return (record.flags & effFlagsCanReplacing) != 0 && record.processReplacing != nullptr;
}

std::vector<float> noise(int frames, std::uint32_t seed = 0x2545F491u) {
    std::vector<float> samples(static_cast<std::size_t>(std::max(frames, 0)));
    for (float& sample : samples) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        sample = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
    }
    return samples;
}

// Runs frames frames of noise through each processing function the plug-in has, in
// guarded buffers of capacity frames; returns what went wrong, or nothing.
std::string processGuarded(PluginInstance& plugin, int frames, int capacity) {
    const AEffect& record = *plugin.record();
    const std::vector<float> signal = noise(capacity);
    GuardedChannels inputs(record.numInputs, capacity);
    GuardedChannels outputs(record.numOutputs, capacity);
    for (bool replacing : {true, false}) {
        if (replacing && !canReplace(record)) {
            continue;
        }
        inputs.fill(signal.data());
        outputs.fill(0.0f);
        if (replacing) {
            plugin.processReplacing(inputs.data(), outputs.data(), frames);
        } else {
            plugin.process(inputs.data(), outputs.data(), frames);
        }
        const char* function = replacing ? "processReplacing" : "process";
        std::string damage = outputs.damage();
        if (!damage.empty()) {
            return std::string(function) + ": output " + damage;
        }
        damage = inputs.damage();
        if (!damage.empty()) {
            return std::string(function) + ": input " + damage;
        }
    }
    return "";
}

std::string firstFault(const PluginInstance& plugin) {
    const auto& faults = plugin.textFaults();
    if (faults.empty()) {
        return "";
    }
    std::string text = faults.front().describe();
    if (faults.size() > 1) {
        text += " (and " + std::to_string(faults.size() - 1) + " more)";
    }
    return text;
}

CheckOutcome opcodesBeforeOpen(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    // What scanners send before effOpen, if they send it at all.
    plugin->dispatch(effIdentify);
    plugin->dispatch(effSetBlockSizeAndSampleRate, 0, announcedBlock, nullptr, checkRate);
    plugin->setSampleRate(checkRate);
    plugin->setBlockSize(announcedBlock);
    plugin->dispatch(effGetPlugCategory);
    plugin->dispatch(effGetVstVersion);
    start(*plugin);
    const std::string damage = processGuarded(*plugin, announcedBlock, announcedBlock);
    return damage.empty() ? CheckOutcome{} : fail(damage);
}

CheckOutcome suspendWithoutResume(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    plugin->open();
    plugin->suspend();
    plugin->suspend();
    plugin->close();
    return {};
}

CheckOutcome closeWhileResumed(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    start(*plugin);
    const std::string damage = processGuarded(*plugin, announcedBlock, announcedBlock);
    plugin->close();
    return damage.empty() ? CheckOutcome{} : fail(damage);
}

CheckOutcome textsWithinBuffers(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    plugin->open();
    const AEffect& record = *plugin->record();
    std::vector<float> values;
    for (int step = 0; step <= 100; ++step) {
        values.push_back(static_cast<float>(step) / 100.0f);
    }
    for (float hostile :
         {-1.0f, 2.0f, 1e9f, -1e9f, std::numeric_limits<float>::quiet_NaN(),
          std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()}) {
        values.push_back(hostile);
    }
    for (std::int32_t i = 0; i < record.numParams; ++i) {
        plugin->parameterName(i);
        plugin->parameterUnit(i);
        const float original = plugin->parameter(i);
        for (const float value : values) {
            plugin->setParameter(i, value);
            plugin->parameterDisplay(i);
        }
        plugin->setParameter(i, original);
    }
    for (std::int32_t k = 0; k < record.numPrograms; ++k) {
        plugin->setProgram(k);
        plugin->programName();
    }
    plugin->setProgram(0);
    plugin->effectName();
    plugin->vendorText();
    plugin->productText();
    const std::string fault = firstFault(*plugin);
    if (!fault.empty()) {
        return fail(fault);
    }
    return CheckOutcome{true, std::to_string(record.numParams) + " parameters x " +
                                  std::to_string(values.size()) + " values, " +
                                  std::to_string(record.numPrograms) + " programs"};
}

CheckOutcome programNameLengths(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    plugin->open();
    if (plugin->record()->numPrograms < 1) {
        return CheckOutcome{true, "no programs"};
    }
    const std::string original = plugin->programName();
    for (const std::size_t length : {0u, 23u, 24u, 200u}) {
        std::string name;
        for (std::size_t i = 0; i < length; ++i) {
            name += static_cast<char>('a' + i % 26);
        }
        plugin->setProgramName(name);
        const std::string readBack = plugin->programName();
        const std::string expected = name.substr(0, kProgramNameSize - 1);
        if (readBack != expected) {
            return fail("a name of " + std::to_string(length) + " characters read back as \"" +
                        readBack + "\"");
        }
    }
    plugin->setProgramName(original);
    const std::string fault = firstFault(*plugin);
    return fault.empty() ? CheckOutcome{} : fail(fault);
}

CheckOutcome hostileValues(const Library& library, float value) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    start(*plugin);
    for (std::int32_t i = 0; i < plugin->record()->numParams; ++i) {
        plugin->setParameter(i, value);
    }
    for (int block = 0; block < 8; ++block) {
        const std::string damage = processGuarded(*plugin, announcedBlock, announcedBlock);
        if (!damage.empty()) {
            return fail(damage);
        }
    }
    return {};
}

CheckOutcome blockSize(const Library& library, int frames) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    start(*plugin);
    // Zero and negative counts get buffers of no frames: all guard, nothing may be written.
    const int capacity = std::max(frames, 0);
    for (int repeat = 0; repeat < 3; ++repeat) {
        const std::string damage = processGuarded(*plugin, frames, capacity);
        if (!damage.empty()) {
            return fail(damage);
        }
    }
    return {};
}

CheckOutcome concurrentParameters(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    start(*plugin);
    const AEffect& record = *plugin->record();
    std::atomic<bool> stop{false};
    std::string damage;
    std::thread audio([&] {
        while (!stop.load() && damage.empty()) {
            damage = processGuarded(*plugin, announcedBlock, announcedBlock);
        }
    });
    std::uint32_t seed = 12345;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    int changes = 0;
    while (std::chrono::steady_clock::now() < end) {
        seed = seed * 1664525u + 1013904223u;
        if (record.numParams > 0) {
            plugin->setParameter(
                static_cast<std::int32_t>(seed % static_cast<std::uint32_t>(record.numParams)),
                static_cast<float>(seed >> 8) / 16777216.0f);
        }
        if (record.numPrograms > 0 && changes % 16 == 0) {
            plugin->setProgram(static_cast<std::int32_t>(
                (seed >> 4) % static_cast<std::uint32_t>(record.numPrograms)));
        }
        ++changes;
    }
    stop = true;
    audio.join();
    if (!damage.empty()) {
        return fail(damage);
    }
    return CheckOutcome{true, std::to_string(changes) + " changes"};
}

// The output of blocks of noise through processReplacing (or process) after the given
// settings, for comparing instances.
struct Settings {
    std::int32_t program = 0;
    std::vector<float> values;
};

void apply(PluginInstance& plugin, const Settings& settings) {
    if (plugin.record()->numPrograms > settings.program) {
        plugin.setProgram(settings.program);
    }
    for (std::size_t i = 0; i < settings.values.size(); ++i) {
        plugin.setParameter(static_cast<std::int32_t>(i), settings.values[i]);
    }
}

void processBlock(PluginInstance& plugin, const float* input, GuardedChannels& outputs) {
    const AEffect& record = *plugin.record();
    GuardedChannels inputs(record.numInputs, announcedBlock);
    inputs.fill(input);
    outputs.fill(0.0f);
    if (canReplace(record)) {
        plugin.processReplacing(inputs.data(), outputs.data(), announcedBlock);
    } else {
        plugin.process(inputs.data(), outputs.data(), announcedBlock);
    }
}

CheckOutcome manyInstances(const Library& library) {
    constexpr int instanceCount = 64;
    constexpr int blocks = 16;
    std::string error;
    std::vector<std::unique_ptr<PluginInstance>> plugins;
    std::vector<Settings> settings;
    for (int k = 0; k < instanceCount; ++k) {
        auto plugin = instanceOf(library, error);
        if (!plugin) {
            return fail("instance " + std::to_string(k) + ": " + error);
        }
        start(*plugin);
        Settings s;
        s.program = k % 16;
        for (std::int32_t i = 0; i < plugin->record()->numParams; ++i) {
            s.values.push_back(static_cast<float>((k * 7 + i * 3) % 11) / 10.0f);
        }
        apply(*plugin, s);
        settings.push_back(s);
        plugins.push_back(std::move(plugin));
    }
    const std::vector<float> signal = noise(announcedBlock * blocks);
    const int outputsCount = plugins.front()->record()->numOutputs;
    // Every instance processes the same input with its own settings, interleaved block by
    // block; the first and the last must give what they give alone.
    std::vector<std::vector<std::vector<float>>> outputs(2);
    for (int b = 0; b < blocks; ++b) {
        for (int k = 0; k < instanceCount; ++k) {
            GuardedChannels out(outputsCount, announcedBlock);
            processBlock(*plugins[static_cast<std::size_t>(k)], signal.data() + b * announcedBlock,
                         out);
            if (k == 0) {
                outputs[0].push_back(out.snapshot());
            } else if (k == instanceCount - 1) {
                outputs[1].push_back(out.snapshot());
            }
        }
    }
    plugins.clear();
    for (const int k : {0, instanceCount - 1}) {
        auto alone = instanceOf(library, error);
        if (!alone) {
            return fail(error);
        }
        start(*alone);
        apply(*alone, settings[static_cast<std::size_t>(k)]);
        for (int b = 0; b < blocks; ++b) {
            GuardedChannels out(outputsCount, announcedBlock);
            processBlock(*alone, signal.data() + b * announcedBlock, out);
            const std::vector<float> together =
                outputs[k == 0 ? 0 : 1][static_cast<std::size_t>(b)];
            const std::vector<float> own = out.snapshot();
            // Compared bit for bit: NaN outputs must match too.
            if (own.size() != together.size() ||
                std::memcmp(own.data(), together.data(), own.size() * sizeof(float)) != 0) {
                return fail("instance " + std::to_string(k) + " among " +
                            std::to_string(instanceCount) + " differs from it alone in block " +
                            std::to_string(b));
            }
        }
    }
    return {};
}

CheckOutcome loadedTwice(const Library& library) {
    std::string error;
    // The same file again: the loader hands back the same library, counted twice.
    auto again = PluginLibrary::load(library->path(), error);
    if (!again) {
        return fail(error);
    }
    auto first = instanceOf(again, error);
    if (!first) {
        return fail(error);
    }
    // A copy under another name: a second, separate load with globals of its own.
    const std::filesystem::path copyFolder =
        std::filesystem::temp_directory_path() /
        ("plughost-check-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::error_code failure;
    std::filesystem::create_directories(copyFolder, failure);
    const std::filesystem::path copy =
        copyFolder / std::filesystem::path(library->path()).filename();
    std::filesystem::copy_file(library->path(), copy, failure);
    if (failure) {
        return fail("cannot copy the library: " + failure.message());
    }
    CheckOutcome outcome;
    {
        auto copied = PluginLibrary::load(copy.string(), error);
        auto second = copied ? instanceOf(copied, error) : nullptr;
        if (!second) {
            outcome = fail("the copy: " + error);
        } else {
            start(*first);
            start(*second);
            const std::int32_t params = first->record()->numParams;
            if (params > 0) {
                const float before = first->parameter(0);
                second->setParameter(0, before == 0.25f ? 0.75f : 0.25f);
                if (first->parameter(0) != before) {
                    outcome = fail("setting a parameter of the copy's instance changed the "
                                   "original's");
                }
            }
            for (PluginInstance* plugin : {first.get(), second.get()}) {
                const std::string damage = processGuarded(*plugin, announcedBlock, announcedBlock);
                if (outcome.passed && !damage.empty()) {
                    outcome = fail(damage);
                }
            }
            second.reset();
        }
        // The copy is unloaded here; the first load must still work.
    }
    if (outcome.passed) {
        const std::string damage = processGuarded(*first, announcedBlock, announcedBlock);
        if (!damage.empty()) {
            outcome = fail("after unloading the copy: " + damage);
        }
    }
    first.reset();
    std::filesystem::remove_all(copyFolder, failure);
    return outcome;
}

// The parent window handed to the editor: an X11 window id that no server knows. Where
// there is no display the plug-in draws into memory; where there is one, it must find
// the id unusable and cope, as with a parent on a display it cannot reach.
void* editorParent() {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x3FFFFF01u));
}

bool hasEditor(const AEffect& record) {
    return (record.flags & effFlagsHasEditor) != 0;
}

// Which of the editor checks a plug-in without an editor passes trivially.
CheckOutcome noEditor() {
    return CheckOutcome{true, "no editor"};
}

std::string rectangleProblem(PluginInstance& plugin) {
    ERect* rectangle = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rectangle);
    if (rectangle == nullptr) {
        return "effEditGetRect gave no rectangle";
    }
    const int width = rectangle->right - rectangle->left;
    const int height = rectangle->bottom - rectangle->top;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) {
        return "effEditGetRect gave " + std::to_string(width) + " x " + std::to_string(height);
    }
    return "";
}

CheckOutcome editorRectangleBeforeOpen(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    if (!hasEditor(*plugin->record())) {
        return noEditor();
    }
    plugin->open();
    const std::string problem = rectangleProblem(*plugin);
    return problem.empty() ? CheckOutcome{} : fail(problem);
}

CheckOutcome editorOpenedTwice(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    if (!hasEditor(*plugin->record())) {
        return noEditor();
    }
    start(*plugin);
    plugin->dispatch(effEditOpen, 0, 0, editorParent());
    plugin->dispatch(effEditIdle);
    plugin->dispatch(effEditOpen, 0, 0, editorParent());
    plugin->dispatch(effEditIdle);
    const std::string problem = rectangleProblem(*plugin);
    plugin->dispatch(effEditClose);
    plugin->dispatch(effEditClose);
    return problem.empty() ? CheckOutcome{} : fail(problem);
}

CheckOutcome editorCycles(const Library& library, int idleHertz) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    if (!hasEditor(*plugin->record())) {
        return noEditor();
    }
    start(*plugin);
    const auto interval = std::chrono::microseconds(1000000 / idleHertz);
    const std::int32_t params = plugin->record()->numParams;
    for (int cycle = 0; cycle < 3; ++cycle) {
        plugin->dispatch(effEditOpen, 0, 0, editorParent());
        for (int idle = 0; idle < 8; ++idle) {
            // Changes from the host between idles, as automation playback sends them.
            if (params > 0) {
                plugin->setParameter((cycle + idle) % params, static_cast<float>(idle) / 8.0f);
            }
            if (idle == 4 && plugin->record()->numPrograms > 1) {
                plugin->setProgram(1);
            }
            plugin->dispatch(effEditIdle);
            std::this_thread::sleep_for(interval);
        }
        plugin->dispatch(effEditClose);
    }
    return {};
}

CheckOutcome editorCloseWithoutOpen(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    if (!hasEditor(*plugin->record())) {
        return noEditor();
    }
    plugin->open();
    plugin->dispatch(effEditClose);
    plugin->dispatch(effEditIdle);
    return {};
}

CheckOutcome closeWithEditorOpen(const Library& library) {
    std::string error;
    auto plugin = instanceOf(library, error);
    if (!plugin) {
        return fail(error);
    }
    if (!hasEditor(*plugin->record())) {
        return noEditor();
    }
    start(*plugin);
    plugin->dispatch(effEditOpen, 0, 0, editorParent());
    plugin->dispatch(effEditIdle);
    plugin->suspend();
    plugin->close();
    return {};
}

std::string valueName(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "+inf" : "-inf";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

} // namespace

std::vector<ConformanceCheck> conformanceChecks(Library library) {
    std::vector<ConformanceCheck> checks;
    auto add = [&](std::string name, std::function<CheckOutcome(const Library&)> run) {
        checks.push_back(
            ConformanceCheck{std::move(name), [library, run] { return run(library); }});
    };
    add("opcodes before effOpen", opcodesBeforeOpen);
    add("effMainsChanged(0) without a resume", suspendWithoutResume);
    add("effClose while resumed", closeWhileResumed);
    add("texts within buffers of the interface's sizes", textsWithinBuffers);
    add("program names of 0, 23, 24 and 200 characters", programNameLengths);
    for (const float value :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity(), -1.0f, 2.0f, 1e9f}) {
        add("parameters at " + valueName(value) + ", then processing noise",
            [value](const Library& l) { return hostileValues(l, value); });
    }
    for (const int frames : {1, 2, 511, 512, 4096, 8192, 0, -1, -512}) {
        add("blocks of " + std::to_string(frames) + " frames (512 announced)",
            [frames](const Library& l) { return blockSize(l, frames); });
    }
    add("setParameter and program switches from a second thread while processing",
        concurrentParameters);
    add("64 instances at once, each with its own state", manyInstances);
    add("the library loaded twice", loadedTwice);
    add("editor: rectangle before open", editorRectangleBeforeOpen);
    add("editor: opened twice without a close", editorOpenedTwice);
    add("editor: open, idle and close cycles at 15 Hz idle",
        [](const Library& l) { return editorCycles(l, 15); });
    add("editor: open, idle and close cycles at 60 Hz idle",
        [](const Library& l) { return editorCycles(l, 60); });
    add("editor: close without open", editorCloseWithoutOpen);
    add("effClose with the editor open", closeWithEditorOpen);
    return checks;
}

} // namespace plughost
