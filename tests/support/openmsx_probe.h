#pragma once
// Reading an emulated machine back: for the tests and the benchmark that
// check what the chip holds against what the editor has.

#include <string>

#include "app/emulator/openmsx_link.h"
#include "chip/chip_render.h"
#include "storage/png_file.h"

// Waits until the cartridge has shown `count` screens; false after `timeoutMs`.
bool WaitForScreens(OpenMsxLink& link, int count, int timeoutMs);
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
