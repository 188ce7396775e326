// The demonstration frame: every control of the toolkit on one background, each in its own
// tile with its class name, set to values that show what it looks like in use.
#pragma once

class Frame;

namespace gallery {

// Builds the frame in the parent window; the caller deletes it.
Frame* makeGalleryFrame(void* parentWindow);

} // namespace gallery
