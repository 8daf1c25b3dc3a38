#pragma once

// The main menu bar (File, Edit, About), its shortcuts and the popups of the
// file commands.
void DrawMainMenu();
// Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+E, Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, unless a text field
// or a popup has the keyboard.
void HandleShortcuts();
