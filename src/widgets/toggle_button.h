#pragma once
#include "imgui.h"

// The on/off button look shared by the studios. The colours follow the flag's
// value before this frame's click; the caller flips the flag when it returns true.
bool ToggleButton(const char* label, bool on, const ImVec2& size);
