#include "export/game_constants.h"

#include "chip/map_walk.h"
#include "chip/video_memory.h"

namespace {
struct ModeTables {
  const char* name;
  ScreenMode mode;
  int names, patterns, colours, attributes, spritePatterns;  // -1: the mode has none
};
constexpr ModeTables kModeTables[kScreenModes] = {
    {"GRAPHICS2", ScreenMode::Graphics2, kNameBase, kPatternBase, kColourBase, kAttributeBase, kSpritePatternBase},
    {"GRAPHICS1", ScreenMode::Graphics1, kNameBase, kPatternBase, kGraphics1ColourBase, kAttributeBase,
     kSpritePatternBase},
    {"TEXT", ScreenMode::Text, kTextNameBase, kTextPatternBase, -1, -1, -1},
    {"MULTICOLOR", ScreenMode::Multicolor, kMulticolorNameBase, kMulticolorPatternBase, -1, kAttributeBase,
     kSpritePatternBase},
};
}  // namespace

std::vector<std::pair<std::string, int>> ChipConstants(const std::string& module, SpriteSize size) {
  const std::string prefix = module + "_";
  std::vector<std::pair<std::string, int>> constants = {
      {prefix + "SPRITE_SIDE", size.side},
      {prefix + "SPRITE_MAGNIFIED", size.magnified ? 1 : 0},
      {prefix + "SPRITE_REGISTER1_BITS", size.RegisterBits()},
  };
  for (const ModeTables& mode : kModeTables) {
    const std::string name = prefix + mode.name + "_";
    const std::pair<const char*, int> tables[] = {{"NAMES", mode.names},
                                                  {"PATTERNS", mode.patterns},
                                                  {"COLOURS", mode.colours},
                                                  {"ATTRIBUTES", mode.attributes},
                                                  {"SPRITE_PATTERNS", mode.spritePatterns}};
    for (const auto& [table, address] : tables)
      if (address >= 0) constants.push_back({name + table + "_VRAM", address});
    NameTable screen;
    screen.mode = mode.mode;
    const ModeRegisters registers = RegistersFor(screen, size);
    constants.push_back({name + "BIOS_MODE", registers.biosMode});
    // Register 7's backdrop is each screen's own (<table>_BACKDROP); the others are the mode's.
    for (int r = 0; r < 7; ++r) constants.push_back({name + "REGISTER" + std::to_string(r), registers.values[r]});
  }
  return constants;
}

std::vector<DataBlock> StripBlocks(const Project& data, const ExportSelection& selection) {
  std::vector<DataBlock> blocks;
  const std::vector<int> patterns = SpritePatternNumbers(selection, data.spriteSize);
  std::vector<int> metaspritePlace(selection.metasprites.size(), -1);
  for (std::size_t i = 0, place = 0; i < selection.metasprites.size(); ++i)
    if (selection.metasprites[i]) metaspritePlace[i] = static_cast<int>(place++);
  const int ticks = WalkFrameTicks(data.strips);
  for (int strip = 0; strip < kStrips; ++strip) {
    DataBlock block{"strip_" + std::to_string(strip + 1), {}, 16};
    bool whole = true;
    for (int cell = 0; cell < kStripCells; ++cell) {
      const int32_t record = data.strips.cells[strip][cell];
      if (record < 0) continue;  // every filled cell, as Play Map walks them
      const bool metasprite = data.strips.metasprite[strip][cell];
      const std::vector<int>& places = metasprite ? metaspritePlace : patterns;
      const int place = static_cast<std::size_t>(record) < places.size() ? places[record] : -1;
      whole = whole && place >= 0 && place < 256;
      block.bytes.push_back(metasprite ? 1 : 0), block.bytes.push_back(static_cast<uint8_t>(place));
    }
    if (block.bytes.empty() || !whole) continue;
    const int frames = static_cast<int>(block.bytes.size() / 2);
    block.constants = {{block.label + "_FRAMES", frames}, {block.label + "_TICKS", ticks}};
    block.what = "animation strip " + std::to_string(strip + 1) + ": " + std::to_string(frames) +
                 " frames, each 1 and a metasprite's place or 0 and a sprite's pattern number";
    block.kind = kMetaspriteTables;
    blocks.push_back(block);
  }
  return blocks;
}
