#pragma once
#include <string>

struct MainMenuState {
  bool newProjectRequested = false;  // File > New waits for "Yes" or "Cancel"
  std::string errorMessage;          // a failed file command, shown until dismissed
};
extern MainMenuState mainMenu;

// The project commands behind the menu items.
void LoadProjectCommand();
void SaveProjectCommand();
void ExportAssembly();
void ExportBasic();

// The main menu bar with the project commands; clears `running` on File > Exit.
void DrawMainMenu(bool& running);
