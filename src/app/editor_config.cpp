#include "app/editor_config.h"

#include <filesystem>
#include <system_error>

EditorSettings editorSettings;

bool EnsureConfigDirectory() {
  std::error_code error;
  if (std::filesystem::is_directory("config", error)) return true;
  return std::filesystem::create_directory("config", error) && !error;
}

void LoadEditorConfig() {}

void SaveEditorConfig(SDL_Window*) {}
