#pragma once
// Reading an emulated machine back: for the tests and the benchmark that
// check what the chip holds against what the editor has.

#include <string>

#include "app/emulator/openmsx_link.h"
#include "chip/chip_render.h"
#include "storage/png_file.h"

// Waits until the cartridge has shown `count` screens; false after `timeoutMs`.
bool WaitForScreens(OpenMsxLink& link, int count, int timeoutMs);
// Runs the machine at full speed until the byte at `address` reads `value`,
// then at its own pace for a few frames, so that the screen shows what the
// program drew; false when it never does within a minute.
bool RunUntilByte(OpenMsxLink& link, const std::string& address, int value);
// The chip's 16 KB of video memory; empty when openMSX gives none.
std::string ReadVideoMemory(OpenMsxLink& link);

// openMSX's raw screenshot, 320 x 240 with the 256 x 192 screen amid the
// border; false with `why` when none came.
bool TakeScreenshot(OpenMsxLink& link, const std::string& path, RgbaImage& shot, std::string& why);
// Whether the screenshot shows `expected` inside a border of `backdrop` (and
// where `expected` is transparent, as the chip shows it),
// openMSX's colour for each index learnt from the pixels: false, with the
// first wrong pixel in `why`, when one of its colours stands for two indices
// or two colours for one.
bool SamePictureUpToPalette(const RgbaImage& shot, const IndexedImage& expected, int backdrop, std::string& why);
// Whether the emulated screen (its shot written to `path`) is the chip view of
// `table` in the project's tile sets and sprites; false with the reason in `why`.
bool ShowsChipView(OpenMsxLink& link, const std::string& path, const NameTable& table, std::string& why);
