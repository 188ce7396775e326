// What can be checked of the Windows builds without running them: each DLL exports its entry
// under the two names and nothing else, needs only system DLLs, carries its three bitmaps and
// is built for the right machine; the interface's 32-bit layout holds for the 32-bit compiler.
#include "tests/windows/Processes.h"
#include "tests/windows/WindowsArtifacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

namespace windows_tests {
namespace {

struct Target {
    Machine machine;
    const char* objdump;
    const char* compiler;
    const char* fileFormat;
};

void PrintTo(const Target& target, std::ostream* out) {
    *out << target.fileFormat;
}

const Target x64{Machine::x64, QMT_OBJDUMP_X64, QMT_MINGW_CXX_X64, "pei-x86-64"};
const Target x86{Machine::x86, QMT_OBJDUMP_X86, QMT_MINGW_CXX_X86, "pei-i386"};

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The DLL's exports (name to address) and imported DLL names, as objdump reads its headers.
struct PeHeaders {
    std::string text;
    std::map<std::string, std::string> exports;
    std::set<std::string> imports;
};

PeHeaders readHeaders(const Target& target, const std::string& file) {
    PeHeaders headers;
    const ProcessResult dump = runProcess({target.objdump, "-p", file});
    headers.text = dump.out;
    std::vector<std::string> addresses;
    bool inAddresses = false;
    bool inNames = false;
    const std::regex addressLine(R"(^\s*\[\s*(\d+)\] \+base\[\s*\d+\]\s+([0-9a-f]+) Export RVA)");
    const std::regex nameLine(R"(^\s*\[\s*(\d+)\] (\S+)$)");
    const std::regex importLine(R"(^\s*DLL Name: (\S+))");
    std::smatch match;
    for (const std::string& line : linesOf(dump.out)) {
        if (line.starts_with("Export Address Table -- Ordinal Base")) {
            inAddresses = true;
            continue;
        }
        if (line.starts_with("[Ordinal/Name Pointer] Table")) {
            inNames = true;
            inAddresses = false;
            continue;
        }
        if (line.empty()) {
            inNames = false;
            inAddresses = false;
        }
        if (inAddresses && std::regex_search(line, match, addressLine)) {
            addresses.push_back(match[2]);
        } else if (inNames && std::regex_search(line, match, nameLine)) {
            const std::size_t ordinal = std::stoul(match[1]);
            headers.exports[match[2]] = ordinal < addresses.size() ? addresses[ordinal] : "?";
        } else if (std::regex_search(line, match, importLine)) {
            headers.imports.insert(upper(match[1]));
        }
    }
    return headers;
}

// Size of the bitmap resource with this id, or -1.
long bitmapResourceSize(const std::string& headers, int id) {
    // RT_BITMAP (2), then the id, then its language entry, then the leaf with its size.
    char idText[16];
    std::snprintf(idText, sizeof idText, "0x%06x", id);
    const std::size_t bitmaps = headers.find("Entry: ID: 0x000002,");
    if (bitmaps == std::string::npos) {
        return -1;
    }
    const std::size_t entry = headers.find(std::string("Entry: ID: ") + idText, bitmaps);
    if (entry == std::string::npos) {
        return -1;
    }
    const std::size_t leaf = headers.find("Leaf:", entry);
    const std::size_t size = headers.find("Size: 0x", leaf);
    if (leaf == std::string::npos || size == std::string::npos) {
        return -1;
    }
    return std::stol(headers.substr(size + 8, 8), nullptr, 16);
}

const std::set<std::string> systemLibraries{"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL",
                                            "MSVCRT.DLL"};

class WindowsDll : public ::testing::TestWithParam<std::tuple<Target, PluginNames>> {};

TEST_P(WindowsDll, ExportsTheEntryUnderBothNamesOnly) {
    const auto& [target, plugin] = GetParam();
    const std::string file = windowsPlugin(target.machine, plugin);
    ASSERT_TRUE(std::filesystem::exists(file)) << file << " was not built";
    const PeHeaders headers = readHeaders(target, file);
    ASSERT_NE(headers.text.find(std::string("file format ") + target.fileFormat), std::string::npos)
        << file << " is not " << target.fileFormat;
    ASSERT_EQ(headers.exports.size(), 2u) << headers.text.substr(0, 4000);
    ASSERT_TRUE(headers.exports.contains("main"));
    ASSERT_TRUE(headers.exports.contains("VSTPluginMain"));
    EXPECT_EQ(headers.exports.at("main"), headers.exports.at("VSTPluginMain"))
        << "main and VSTPluginMain must be the same function";
}

TEST_P(WindowsDll, NeedsOnlySystemLibraries) {
    const auto& [target, plugin] = GetParam();
    const PeHeaders headers = readHeaders(target, windowsPlugin(target.machine, plugin));
    for (const std::string& library : headers.imports) {
        EXPECT_TRUE(systemLibraries.contains(library)) << "imports " << library;
    }
    // The toolkit draws and makes windows through the system itself.
    EXPECT_TRUE(headers.imports.contains("USER32.DLL"));
    EXPECT_TRUE(headers.imports.contains("GDI32.DLL"));
}

TEST_P(WindowsDll, CarriesItsThreeBitmaps) {
    const auto& [target, plugin] = GetParam();
    const PeHeaders headers = readHeaders(target, windowsPlugin(target.machine, plugin));
    const std::string folder =
        std::string(QMT_SOURCE_ROOT) + "/plugins/" + plugin.lower + "/resources/";
    const std::pair<int, const char*> bitmaps[] = {
        {128, "background.bmp"}, {129, "track.bmp"}, {130, "handle.bmp"}};
    for (const auto& [id, name] : bitmaps) {
        // A bitmap resource is the BMP file without its 14-byte file header.
        const auto fileSize = static_cast<long>(std::filesystem::file_size(folder + name));
        EXPECT_EQ(bitmapResourceSize(headers.text, id), fileSize - 14) << "bitmap " << id;
    }
}

std::string dllName(const ::testing::TestParamInfo<WindowsDll::ParamType>& info) {
    const auto& [target, plugin] = info.param;
    return std::string(plugin.name) + (target.machine == Machine::x64 ? "_x64" : "_x86");
}

INSTANTIATE_TEST_SUITE_P(Builds, WindowsDll,
                         ::testing::Combine(::testing::Values(x64, x86),
                                            ::testing::ValuesIn(pluginNames())),
                         dllName);

TEST(WindowsPlughost, NeedsOnlySystemLibraries) {
    for (const Target& target : {x64, x86}) {
        const std::string file = windowsPlughost(target.machine);
        ASSERT_TRUE(std::filesystem::exists(file)) << file << " was not built";
        const PeHeaders headers = readHeaders(target, file);
        for (const std::string& library : headers.imports) {
            EXPECT_TRUE(systemLibraries.contains(library)) << file << " imports " << library;
        }
    }
}

// The interface's layout asserts, compiled by each Windows compiler on its own.
TEST(WindowsInterfaceLayout, HoldsForBothPointerSizes) {
    for (const Target& target : {x64, x86}) {
        const ProcessResult compiled = runProcess(
            {target.compiler, "-std=c++20", "-fsyntax-only", "-Werror", "-I" QMT_SOURCE_ROOT,
             "-include", QMT_SOURCE_ROOT "/framework/effect/vst2/Interface.h", "-x", "c++",
             "/dev/null"});
        EXPECT_EQ(compiled.exitCode, 0) << target.compiler << ":\n" << compiled.err;
    }
}

} // namespace
} // namespace windows_tests
