#include "app/shell/editor_config.h"

#include <SDL.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/dialogs/file_dialog.h"
#include "app/emulator/emulator_session.h"
#include "app/shell/editor_tabs.h"
#include "app/shell/project_commands.h"
#include "app/shell/settings_folder.h"
#include "storage/file_io.h"
#include "storage/utf8_path.h"

EditorSettings editorSettings;

namespace {
const std::string kRecentPrefix = "recent=";
const std::string kEmulatorPrefix = "emulator=";
const std::string kOpenMsxPrefix = "openmsx=";

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Like scanf's "%d": blanks (line ends too), a sign, digits; false when none.
bool ScanInt(const std::string& text, std::size_t& position, int32_t& value) {
  while (position < text.size() && IsSpace(text[position])) ++position;
  const char* start = text.c_str() + position;
  char* end;
  const long long parsed = std::strtoll(start, &end, 10);
  if (end == start) return false;
  position += static_cast<std::size_t>(end - start);
  value = static_cast<int32_t>(parsed < INT32_MIN ? INT32_MIN : parsed > INT32_MAX ? INT32_MAX : parsed);
  return true;
}

// Like atoi: 0 when no number starts the text.
long long LeadingNumber(const char* text) { return std::strtoll(text, nullptr, 10); }

// The next line without its line end; false at the end of the text.
bool NextLine(const std::string& text, std::size_t& position, std::string& line) {
  if (position >= text.size()) return false;
  std::size_t end = text.find('\n', position);
  if (end == std::string::npos) end = text.size();
  line = text.substr(position, end - position);
  position = end + 1;
  return true;
}
}  // namespace

std::string EditorConfigPath() { return settingsFolder + "/editor.cfg"; }
std::string ImGuiSettingsPath() { return settingsFolder + "/imgui.ini"; }

bool EnsureConfigDirectory() {
  std::error_code error;
  if (std::filesystem::is_directory(Utf8Path(settingsFolder), error)) return true;
  return std::filesystem::create_directories(Utf8Path(settingsFolder), error) && !error;
}

void ParseEditorConfig(const std::string& text) {
  std::size_t position = 0;
  int32_t* numbers[] = {&editorSettings.windowX, &editorSettings.windowY, &editorSettings.windowWidth,
                        &editorSettings.windowHeight, &editorSettings.reservedSetting};
  for (int32_t* number : numbers)
    if (!ScanInt(text, position, *number)) return;
  // The rest of the first line is not part of the folder line.
  std::string line;
  NextLine(text, position, line);

  if (NextLine(text, position, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lastDirectory = line;
  }

  savedTabOrder.clear();
  std::vector<std::string> recent;
  while (NextLine(text, position, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.compare(0, kRecentPrefix.size(), kRecentPrefix) == 0) {
      if (recent.size() < kRecentFileLimit && line.size() > kRecentPrefix.size())
        recent.push_back(line.substr(kRecentPrefix.size()));
      continue;
    }
    if (line.compare(0, kOpenMsxPrefix.size(), kOpenMsxPrefix) == 0) {
      configuredOpenMsx = line.substr(kOpenMsxPrefix.size());
      continue;
    }
    if (line.compare(0, kEmulatorPrefix.size(), kEmulatorPrefix) == 0) {
      emulator.machine =
          line.substr(kEmulatorPrefix.size()) == kMachineNames[int(Machine::Sg1000)] ? Machine::Sg1000 : Machine::Msx1;
      continue;
    }
    const std::size_t bar = line.find('|');
    if (bar == std::string::npos) continue;
    const long long id = LeadingNumber(line.c_str() + bar + 1);
    if (id >= 0 && id <= 3) savedTabOrder.push_back(static_cast<int32_t>(id));
  }
  if (!recent.empty()) session.recentFiles = recent;
}

std::string FormatEditorConfig(int32_t windowX, int32_t windowY) {
  std::string text = std::to_string(windowX) + " " + std::to_string(windowY) + " " + std::to_string(kWindowWidth) +
                     " " + std::to_string(kWindowHeight) + " " + std::to_string(editorSettings.reservedSetting) + "\n";
  text += lastDirectory + "\n";
  text += kEmulatorPrefix + kMachineNames[int(emulator.machine)] + "\n";
  if (!configuredOpenMsx.empty()) text += kOpenMsxPrefix + configuredOpenMsx + "\n";  // only where one is set
  for (const EditorTab& tab : editorTabs) text += std::string(tab.title) + "|" + std::to_string(tab.id) + "\n";
  for (const std::string& path : session.recentFiles) text += kRecentPrefix + path + "\n";
  return text;
}

void LoadEditorConfig() {
  std::vector<uint8_t> contents;
  if (ReadWholeFile(EditorConfigPath(), contents) != FileResult::Ok) return;
  ParseEditorConfig(std::string(contents.begin(), contents.end()));
}

void SaveEditorConfig(SDL_Window* window) {
  if (!EnsureConfigDirectory()) return;
  int x = 0, y = 0;
  SDL_GetWindowPosition(window, &x, &y);
  ReplaceFile(EditorConfigPath(), FormatEditorConfig(x, y), true);
}
