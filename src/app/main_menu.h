#pragma once

// The main menu bar with the project commands; clears `running` on File > Exit.
void DrawMainMenu(bool& running);
