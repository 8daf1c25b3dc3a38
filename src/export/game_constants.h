#pragma once
// What a game's program would otherwise hard-code, as the exports' constants:
// the sprite size and magnification (and register 1's bits for them), each
// screen mode's registers and the VRAM address of every table of it (whether
// or not the export holds that table), and each animation strip as a table.

#include <string>
#include <utility>
#include <vector>

#include "export/export_blocks.h"
#include "export/export_labels.h"
#include "export/text_dialects.h"

// "<module>_SPRITE_SIDE", "<module>_GRAPHICS2_NAMES_VRAM"...: named after the
// file, as "<module>_LARGEST_TABLE" is, so that two exports included together
// do not define them twice.
std::vector<std::pair<std::string, int>> ChipConstants(const std::string& module, SpriteSize size);

// Each strip whose frames all are in the export, as "strip_<n>": a byte pair a
// filled cell (as Play Map walks them), 1 and the metasprite's place among the exported metasprites,
// or 0 and the sprite's pattern number; with "strip_<n>_FRAMES" and
// "strip_<n>_TICKS", the chip's frames (at 60 a second) each is shown.
std::vector<DataBlock> StripBlocks(const Project& data, const ExportSelection& selection);
