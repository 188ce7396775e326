// State shared by every effect object that one loaded library makes.
#pragma once

// The library's instance handle: on Windows the one DllMain receives, elsewhere a value
// unique to the loaded library, recorded at load. The toolkit names its window class and
// finds the library's bitmaps with it.
extern void* moduleHandle;

// Set when an effect's editor could not be made; the entry point then returns no record.
// Nothing clears it.
extern bool outOfMemory;
