#include "support/project_fixtures.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "app/export_commands.h"
#include "app/import_picture.h"
#include "app/project_commands.h"
#include "model/history.h"
#include "studios/sprite/sprite_studio_state.h"
#include "studios/table/table_studio_state.h"
#include "studios/tile/tile_studio_state.h"
#include "widgets/notice.h"

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

void MakeRichProject() {
  ResetProject();
  sprites().clear();
  for (int i = 0; i < 5; ++i) {
    Sprite sprite;
    std::memcpy(sprite.name, "Ship\0stale bytes!!!", 20);
    sprite.colour = (i * 53) & 0xFF;
    for (int p = 0; p < 256; ++p) sprite.pixels[p / 16][p % 16] = ((p * (i + 3)) % 7) < 3;
    sprites().push_back(sprite);
  }
  tileSets.clear();
  for (int s = 0; s < 3; ++s) {
    TileSet set;
    FormatName(set.name, "Set %d", s);
    set.name[15] = 'z';  // beyond the zero
    for (int t = 0; t < 256; ++t) {
      FillTile(set, t, t + s);
      set.background[t][s] = t - 100;  // out-of-range values survive too
    }
    tileSets.push_back(set);
  }
  nameTables.clear();
  for (int n = 0; n < 3; ++n) {
    NameTable table;
    SetName(table.name, "Screen");
    for (int c = 0; c < kTableCells; ++c) table.cells[c] = static_cast<uint8_t>((c * (n + 1)) % 256);
    for (int p = 0; p < n * 4; ++p) table.placements.push_back({p - 2, p * 4.75f + 0.125f, -p / 3.0f});
    nameTables.push_back(table);
  }
}

void FillTile(TileSet& set, int tile, int seed) {
  for (int y = 0; y < 8; ++y) {
    set.foreground[tile][y] = (seed + y) % 16;
    set.background[tile][y] = (seed * 3 + y) % 16;
    for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = ((seed + x * y) % 3) == 0;
  }
}

uint64_t Fingerprint(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

void ResetEditor() {
  ResetProject();
  tileStudio = TileStudioState{};
  spriteStudio = SpriteStudioState{};
  spriteAnimation = SpriteAnimationState{};
  tableStudio = TableStudioState{};
  session = ProjectSession{};
  notice = Notice{};
  exportWindow = ExportWindowState{};
  importPicture = ImportPictureState{};
  history = History{};
  StartHistory(history, project, tileStudio.canvas);
}
