#include "studios/table/table_mode_actions.h"

#include <algorithm>

#include "chip/chip_render.h"

namespace {
// Each block the colour most of its 4 x 4 pixels have (the first such from the top left on a tie).
std::vector<uint8_t> BlocksOf(const IndexedImage& image) {
  std::vector<uint8_t> blocks;
  for (int by = 0; by < kBlockRows; ++by)
    for (int bx = 0; bx < kBlockColumns; ++bx) {
      int counts[16] = {}, best = 0;
      for (int y = 0; y < kBlockSide; ++y)
        for (int x = 0; x < kBlockSide; ++x) {
          const int colour = image.At(bx * kBlockSide + x, by * kBlockSide + y) & 15;
          if (++counts[colour] > counts[best]) best = colour;
        }
      blocks.push_back(static_cast<uint8_t>(best));
    }
  return blocks;
}
}  // namespace

std::string SetScreenMode(Project& data, NameTable& table, ScreenMode mode) {
  if (table.mode == mode) return "";
  std::string made;
  if (mode == ScreenMode::Text && table.textCells.empty()) {
    table.textCells.assign(kTextColumns * kTableRows, EmptyCell);
    for (int row = 0; row < kTableRows; ++row)
      std::copy(table.cells + row * kTableColumns, table.cells + (row + 1) * kTableColumns,
                table.textCells.begin() + row * kTextColumns);
    made = "; its names fill the left 32 columns";
  }
  if (mode == ScreenMode::Multicolor && table.blocks.empty()) {
    NameTable shown = table;
    shown.placements.clear();
    table.blocks = BlocksOf(RenderScreen(shown, data.tileSets, data.sprites, data.spriteSize, ScreenLook::Editor));
    made = "; each block takes the colour most of its pixels showed";
  }
  table.mode = mode;
  if (DrawsFromOneSet(mode)) {
    std::fill(std::begin(table.thirdTileSets), std::end(table.thirdTileSets), table.thirdTileSets[0]);
    made += "; every third draws from the top third's tile set";
  }
  return std::string(table.name) + " is a " + kScreenModeNames[static_cast<int>(mode)] + " screen" + made;
}

int TextCellAt(int x, int y) {
  const int column = (x - kTextBorder) / kTextPixelWidth;
  if (x < kTextBorder || column >= kTextColumns || y < 0 || y >= 8 * kTableRows) return -1;
  return (y / 8) * kTextColumns + column;
}

int MulticolorBlockAt(int x, int y) {
  if (x < 0 || y < 0 || x >= kBlockColumns * kBlockSide || y >= kBlockRows * kBlockSide) return -1;
  return (y / kBlockSide) * kBlockColumns + x / kBlockSide;
}

bool PaintModeScreen(NameTable& table, int x, int y, int value) {
  if (table.mode == ScreenMode::Text) {
    const int cell = TextCellAt(x, y);
    if (cell < 0 || table.textCells.size() != static_cast<std::size_t>(kTextColumns * kTableRows)) return false;
    table.textCells[cell] = static_cast<uint8_t>(value & 0xFF);
    return true;
  }
  const int block = MulticolorBlockAt(x, y);
  if (table.mode != ScreenMode::Multicolor || block < 0 ||
      table.blocks.size() != static_cast<std::size_t>(kBlockColumns * kBlockRows))
    return false;
  table.blocks[block] = static_cast<uint8_t>(value & 15);
  return true;
}
