#pragma once
#include <cstdint>
#include <string>

struct SDL_Window;

constexpr int32_t kCentredPosition = 0x2FFF0000;  // SDL's "centred" window position
constexpr int32_t kWindowWidth = 1806;
constexpr int32_t kWindowHeight = 995;

// The settings kept in "config/editor.cfg".
struct EditorSettings {
  int32_t windowX = kCentredPosition;
  int32_t windowY = kCentredPosition;
  int32_t windowWidth = kWindowWidth;
  int32_t windowHeight = kWindowHeight;
  int32_t reservedSetting = 0;  // read and written back unchanged
};
extern EditorSettings editorSettings;

// Creates "config" when missing; false when it cannot.
bool EnsureConfigDirectory();
void LoadEditorConfig();
void SaveEditorConfig(SDL_Window* window);
