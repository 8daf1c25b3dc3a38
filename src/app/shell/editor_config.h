#pragma once
// "editor.cfg" in the settings folder: window position and size, the dialog
// folder, the tab order and the recent project files.
//   line 1: left top width height reserved
//   line 2: the dialog folder
//   line 3: "emulator=msx1" or "emulator=sg1000", the machine Run on Emulator starts
//   then, where one is set, "openmsx=<path>": the openMSX program to start
//   then one "title|id" line per tab, in tab order
//   then one "recent=path" line per recent file, newest first

#include <cstdint>
#include <string>

struct SDL_Window;

constexpr int32_t kCentredPosition = 0x2FFF0000;  // SDL's "centred" window position
constexpr int32_t kWindowWidth = 1806;
constexpr int32_t kWindowHeight = 995;

// The settings folder's files.
std::string EditorConfigPath();
std::string ImGuiSettingsPath();

struct EditorSettings {
  int32_t windowX = kCentredPosition;
  int32_t windowY = kCentredPosition;
  int32_t windowWidth = kWindowWidth;
  int32_t windowHeight = kWindowHeight;
  int32_t reservedSetting = 0;  // read and written back unchanged
};
extern EditorSettings editorSettings;

// Creates the settings folder when missing; false when it cannot.
bool EnsureConfigDirectory();

// Fills editorSettings, lastDirectory, savedTabOrder and the recent files from
// the text of the file, keeping what it does not give.
void ParseEditorConfig(const std::string& text);
// The file's text for a window at (x, y), with lastDirectory, editorTabs and the recent files.
std::string FormatEditorConfig(int32_t windowX, int32_t windowY);

void LoadEditorConfig();
// Silent on failure: a configuration that cannot be written is not worth a message.
void SaveEditorConfig(SDL_Window* window);
