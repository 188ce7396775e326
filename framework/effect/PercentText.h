// The value converter of the editors' percent displays: 0.5 reads "50%".
#pragma once

// Multiplies by 100, drops the fraction (toward 0) and writes the whole number followed by a
// percent sign into text, which must hold at least 16 characters.
void percentText(float value, char* text);
