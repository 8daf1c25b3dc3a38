#pragma once
// Reading an emulated machine back: for the tests and the benchmark that
// check what the chip holds against what the editor has.

#include <string>

#include "app/emulator/openmsx_link.h"

// Waits until the cartridge has shown `count` screens; false after `timeoutMs`.
bool WaitForScreens(OpenMsxLink& link, int count, int timeoutMs);
// The chip's 16 KB of video memory; empty when openMSX gives none.
std::string ReadVideoMemory(OpenMsxLink& link);
