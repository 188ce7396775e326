// Renders short scripted sessions and compares them sample for sample with the golden
// renders in fixtures/, which a plain model of each algorithm (fixtures/reference.py) wrote.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/effects/EffectHarness.h"

namespace {

Kind kindNamed(const std::string& name) {
    if (name == "ombrel") {
        return Kind::ombrel;
    }
    if (name == "quisel") {
        return Kind::quisel;
    }
    return Kind::tarvik;
}

float parseFloat(const std::string& text) {
    return std::strtof(text.c_str(), nullptr);
}

bool sameFloat(float a, float b) {
    return a == b || (a != a && b != b);
}

class GoldenRender : public testing::TestWithParam<const char*> {};

TEST_P(GoldenRender, MatchesSampleForSample) {
    const std::string path = std::string(QMT_EFFECT_FIXTURES) + "/" + GetParam();
    std::ifstream file(path);
    ASSERT_TRUE(file.is_open()) << path;

    std::unique_ptr<EffectBase> effect;
    Noise noise;
    std::string line;
    int lineNumber = 0;
    int compared = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "effect") {
            std::string name;
            words >> name;
            effect = newEffect(kindNamed(name));
        } else if (command == "set") {
            int index = 0;
            std::string value;
            words >> index >> value;
            effect->setParameter(index, parseFloat(value));
        } else if (command == "meter") {
            std::string value;
            words >> value;
            EXPECT_EQ(effect->getMeterLevel(), parseFloat(value)) << "line " << lineNumber;
        } else if (command == "block") {
            std::string mode, amplitude;
            std::size_t frames = 0;
            int keep = 0;
            words >> mode >> frames >> amplitude >> keep;
            const Mode m = mode == "add" ? Mode::add : Mode::replace;
            const std::vector<float> input = noise.block(frames, parseFloat(amplitude));
            const Stereo out = m == Mode::add ? processBlock(*effect, m, input, 0.125f, -0.0625f)
                                              : processBlock(*effect, m, input);
            if (!keep) {
                continue;
            }
            for (std::size_t i = 0; i < frames; ++i) {
                ASSERT_TRUE(std::getline(file, line));
                ++lineNumber;
                std::istringstream pair(line);
                std::string left, right;
                pair >> left >> right;
                ASSERT_TRUE(sameFloat(out.left[i], parseFloat(left)))
                    << GetParam() << " line " << lineNumber << ": left " << out.left[i]
                    << " expected " << left;
                ASSERT_TRUE(sameFloat(out.right[i], parseFloat(right)))
                    << GetParam() << " line " << lineNumber << ": right " << out.right[i]
                    << " expected " << right;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GoldenRender,
                         testing::Values("tarvik_short.txt", "tarvik_wrap.txt", "ombrel_short.txt",
                                         "ombrel_wrap.txt", "quisel_short.txt", "quisel_wrap.txt"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
