// A short phrase of drums and a bass line, synthesised from scratch: something with
// transients, noise, sustained low notes and silence between hits, so that each effect's
// character shows in a render.
#pragma once

#include <vector>

struct PhraseSettings {
    double seconds = 10.0;
    int sampleRate = 44100;
    double tempo = 120.0; // beats per minute
};

std::vector<float> synthesisePhrase(const PhraseSettings& settings);
