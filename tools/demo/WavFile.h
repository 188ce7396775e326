// Writes mono 32-bit float WAV files, the one format the demo needs to write.
#pragma once

#include <string>
#include <vector>

// Writes the samples as a one-channel IEEE float WAV; false when the file could not be
// written whole (a partial file is removed).
bool writeFloatWav(const std::string& path, const std::vector<float>& samples, int sampleRate);
