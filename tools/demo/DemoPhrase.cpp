// demophrase OUT.wav [--seconds S]: writes the demo phrase, drums and a bass line, as a
// mono 32-bit float WAV at 44100 Hz.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/demo/PhraseSynth.h"
#include "tools/demo/WavFile.h"

int main(int argc, char** argv) {
    PhraseSettings settings;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seconds" && i + 1 < argc) {
            char* end = nullptr;
            settings.seconds = std::strtod(argv[++i], &end);
            if (*end != 0 || !(settings.seconds > 0.0) || settings.seconds > 600.0) {
                std::fprintf(stderr, "demophrase: --seconds wants a number of seconds up to 600\n");
                return 2;
            }
        } else if (output.empty() && !argument.empty() && argument[0] != '-') {
            output = argument;
        } else {
            std::fprintf(stderr, "usage: demophrase OUT.wav [--seconds S]\n");
            return 2;
        }
    }
    if (output.empty()) {
        std::fprintf(stderr, "usage: demophrase OUT.wav [--seconds S]\n");
        return 2;
    }
    if (!writeFloatWav(output, synthesisePhrase(settings), settings.sampleRate)) {
        std::fprintf(stderr, "demophrase: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
