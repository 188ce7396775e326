// Turns a text field's stored text into the string it shows. The output buffer holds 256
// characters and starts empty; the converter writes a terminated string of at most 255.
#pragma once

using TextConverter = void (*)(const char* text, char* shown);
