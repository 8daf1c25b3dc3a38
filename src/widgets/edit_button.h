#pragma once
// A button whose press changes the project: the history names the change
// after the button's visible label ("PUT TILES"; "IMPORT\nPATTERN" becomes
// "IMPORT PATTERN").

#include "imgui.h"

bool EditButton(const char* label, const ImVec2& size = ImVec2(0, 0));
// An arrow button that shifts a picture, named "shift".
bool ShiftButton(const char* id, ImGuiDir direction);
