#pragma once
// What a frame draws, as one number: equal draw data, equal fingerprints. A
// frame that draws what the last one drew, with no texture to upload, need
// not be drawn again; an editor whose frames no longer change has settled.

#include <cstdint>

struct ImDrawData;

uint64_t FrameFingerprint(const ImDrawData& data);
// A texture to make, upload or free (the font atlas, a canvas's pixels): the
// picture changes though the vertices may not.
bool WaitsForTextures(const ImDrawData& data);
