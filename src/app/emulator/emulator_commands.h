#pragma once
// The Run menu's commands: the current name table on an emulated machine,
// kept live while the editor runs, and which machine that is.

#include "export/cartridge.h"

// Starts (or restarts) the emulator on the Table Studio's current name table.
void RunOnEmulatorCommand();
// Starts (or restarts) the emulator on the Map Studio's map as a game to walk through.
void PlayMapCommand();
void StopEmulatorCommand();
void ChooseEmulatorMachine(Machine machine);
// Once a frame: the shown screen's changes to the emulator, a notice when it has gone.
void KeepEmulatorLive();
