#pragma once
// Where the editor keeps its settings and recovery copies: a "config" folder
// in the working folder where one exists (a portable install, and where
// earlier versions always kept them), else the user's own folder for them:
// %APPDATA%\Tessellary on Windows; $XDG_CONFIG_HOME/tessellary, else
// ~/.config/tessellary, elsewhere.

#include <string>

extern std::string settingsFolder;  // "config" until start-up chooses

std::string ChooseSettingsFolder();
// The user's folder for them on this system; "config" when the environment names none.
std::string UserSettingsFolder();
