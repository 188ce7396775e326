#include "tools/demo/PhraseSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double twoPi = 6.283185307179586;

// A small deterministic noise source, so that every run makes the same phrase.
class Noise {
public:
    double next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state >> 11) / 4503599627370496.0 - 1.0;
    }

private:
    std::uint64_t state = 0x2545F4914F6CDD1Dull;
};

double midiToHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Adds one drum hit starting at the given sample.
void addKick(std::vector<double>& out, std::size_t at, int rate, double level) {
    double phase = 0.0;
    const auto length = static_cast<std::size_t>(0.45 * rate);
    for (std::size_t i = 0; i < length && at + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double pitch = 45.0 + 95.0 * std::exp(-t * 30.0);
        phase += twoPi * pitch / rate;
        const double body = std::sin(phase) * std::exp(-t * 7.0);
        const double click = t < 0.003 ? (1.0 - t / 0.003) * 0.5 : 0.0;
        out[at + i] += level * (body + click);
    }
}

void addSnare(std::vector<double>& out, std::size_t at, int rate, double level, Noise& noise) {
    const auto length = static_cast<std::size_t>(0.3 * rate);
    double previous = 0.0;
    double phase = 0.0;
    for (std::size_t i = 0; i < length && at + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double n = noise.next();
        const double bright = n - previous; // a first difference tilts the noise upward
        previous = n;
        phase += twoPi * 185.0 / rate;
        const double tone = std::sin(phase) * std::exp(-t * 35.0);
        out[at + i] += level * (0.55 * bright * std::exp(-t * 18.0) + 0.5 * tone);
    }
}

void addHat(std::vector<double>& out, std::size_t at, int rate, double level, double decay,
            Noise& noise) {
    const auto length = static_cast<std::size_t>(5.0 / decay * rate);
    double a = 0.0, b = 0.0;
    for (std::size_t i = 0; i < length && at + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double n = noise.next();
        // Two differences: most energy well above 5 kHz.
        const double high = n - 2.0 * a + b;
        b = a;
        a = n;
        out[at + i] += level * 0.25 * high * std::exp(-t * decay);
    }
}

// A sawtooth bass note with a decaying low-pass, band-limited by summing harmonics.
void addBass(std::vector<double>& out, std::size_t at, std::size_t length, int rate, int note,
             double level) {
    const double hz = midiToHz(note);
    const int harmonics = static_cast<int>(std::floor(rate / 2.0 / hz * 0.5));
    for (std::size_t i = 0; i < length && at + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        // The cutoff falls from bright to dark over the note, measured in harmonics.
        const double cutoff = 2.0 + 22.0 * std::exp(-t * 9.0);
        double s = 0.0;
        for (int h = 1; h <= harmonics; ++h) {
            const double weight = 1.0 / (1.0 + std::pow(h / cutoff, 4.0));
            s += weight * std::sin(twoPi * hz * h * t) / h;
        }
        const double attack = std::min(1.0, t / 0.004);
        const double release = std::min(1.0, static_cast<double>(length - i) / (0.01 * rate));
        out[at + i] += level * 0.55 * s * attack * release;
    }
}

} // namespace

std::vector<float> synthesisePhrase(const PhraseSettings& settings) {
    const int rate = settings.sampleRate;
    const auto total = static_cast<std::size_t>(settings.seconds * rate);
    std::vector<double> mix(total, 0.0);
    Noise noise;

    const double beat = 60.0 / settings.tempo;
    const double sixteenth = beat / 4.0;
    const auto bars = static_cast<int>(std::ceil(settings.seconds / (16.0 * sixteenth) - 1e-9));
    auto sampleAt = [&](int bar, double sixteenths) {
        return static_cast<std::size_t>(std::llround((bar * 16 + sixteenths) * sixteenth * rate));
    };

    // One bar of drums in sixteenths: kick, snare, closed hat, open hat.
    const char* kick = "x.....x...x.....";
    const char* snare = "....x.......x..x";
    const char* hat = "x.x.x.x.x.x.x.x.";
    const char* open = "..............x.";
    // The bass: a note per eighth (MIDI numbers, 0 a rest), four bars that repeat.
    const int bass[4][8] = {{33, 0, 33, 45, 0, 33, 43, 45},
                            {36, 0, 36, 48, 0, 36, 43, 41},
                            {31, 0, 31, 43, 0, 31, 38, 40},
                            {33, 0, 33, 45, 40, 43, 45, 0}};
    const auto noteLength = static_cast<std::size_t>(1.75 * sixteenth * rate);

    for (int bar = 0; bar < bars; ++bar) {
        // The last bar lets the effects ring out: one hit and one note on its first beat.
        const bool last = bar == bars - 1;
        for (int step = 0; step < 16; ++step) {
            const std::size_t at = sampleAt(bar, step);
            if (at >= total || (last && step >= 1)) {
                continue;
            }
            const double accent = step % 4 == 0 ? 1.0 : 0.8;
            if (kick[step] == 'x') {
                addKick(mix, at, rate, 0.8);
            }
            if (snare[step] == 'x') {
                addSnare(mix, at, rate, step == 15 ? 0.25 : 0.5, noise);
            }
            if (hat[step] == 'x') {
                addHat(mix, at, rate, 0.35 * accent, 60.0, noise);
            }
            if (open[step] == 'x') {
                addHat(mix, at, rate, 0.3, 9.0, noise);
            }
        }
        for (int eighth = 0; eighth < 8; ++eighth) {
            const int note = bass[bar % 4][eighth];
            const std::size_t at = sampleAt(bar, eighth * 2);
            if (note == 0 || at >= total || (last && eighth >= 1)) {
                continue;
            }
            addBass(mix, at, noteLength, rate, note, 0.5);
        }
    }

    // Scale to a peak of -3 dBFS.
    double peak = 0.0;
    for (double s : mix) {
        peak = std::max(peak, std::fabs(s));
    }
    const double gain = peak > 0.0 ? 0.7079 / peak : 1.0;
    std::vector<float> out(total);
    for (std::size_t i = 0; i < total; ++i) {
        out[i] = static_cast<float>(mix[i] * gain);
    }
    return out;
}
