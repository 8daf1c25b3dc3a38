#include "support/project_fixtures.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "app/emulator/emulator_session.h"
#include "app/export/export_commands.h"
#include "app/import/import_picture.h"
#include "app/shell/project_commands.h"
#include "chip/sprite_attributes.h"
#include "model/history.h"
#include "storage/png_file.h"
#include "studios/map/map_studio_state.h"
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

void MakeMachineProject() {
  ResetProject();
  tileSets.resize(6);
  for (int s = 0; s < 6; ++s) {
    FormatName(tileSets[s].name, "Set %d", s);
    for (int t = 0; t < kTilesPerSet; ++t) FillTile(tileSets[s], t, t * 7 + s * 31);
  }
  sprites().resize(6);
  for (int i = 0; i < 6; ++i) {
    FormatName(sprites()[i].name, "Sprite %d", i);
    sprites()[i].colour = 2 + i * 2;
    for (int p = 0; p < 256; ++p) sprites()[i].pixels[p / 16][p % 16] = (p * (i + 2) + p / 16) % 5 < 2;
  }
  NameTable& table = nameTables[0];
  for (int c = 0; c < kTableCells; ++c) table.cells[c] = c % 11 == 3 ? EmptyCell : static_cast<uint8_t>(c * 7 + c / 32);
  table.thirdTileSets[1] = 1, table.thirdTileSets[2] = 2;
  table.backdrop = 4;
  // Letters and blocks for when a test shows it in Text or Multicolor.
  table.textCells.resize(kTextColumns * kTableRows), table.blocks.resize(kBlockColumns * kBlockRows);
  for (std::size_t i = 0; i < table.textCells.size(); ++i) table.textCells[i] = static_cast<uint8_t>(i * 7 + i / 40);
  for (std::size_t i = 0; i < table.blocks.size(); ++i) table.blocks[i] = static_cast<uint8_t>((i * 5 + i / 64) % 16);
  table.textColour = 11;
  const float pixel = kViewUnitsPerChipPixel;
  for (int i = 0; i < 5; ++i) table.placements.push_back({i, (20 + 30 * i) * pixel, 50 * pixel});  // one line
  const int edges[][2] = {{-6, 100}, {250, 120}, {90, -7}, {160, 185}, {-20, -10}};
  for (int i = 0; i < 5; ++i) table.placements.push_back({(i + 5) % 6, edges[i][0] * pixel, edges[i][1] * pixel});
  NameTable second;
  SetName(second.name, "Second");
  for (int c = 0; c < kTableCells; ++c) second.cells[c] = static_cast<uint8_t>(255 - c % 256);
  second.backdrop = 13;
  second.thirdTileSets[0] = 3, second.thirdTileSets[1] = 4, second.thirdTileSets[2] = 5;
  second.placements.push_back({2, 120 * pixel, 90 * pixel});
  nameTables.push_back(second);
}

FileResult ParseImage(const std::string& image, Project& into, std::size_t size) {
  return ParseProject(reinterpret_cast<const uint8_t*>(image.data()), std::min(size, image.size()), into);
}

bool RefusedWith(std::string image, std::size_t at, int32_t value, int width) {
  for (int byte = 0; byte < width; ++byte) image[at + byte] = static_cast<char>(value >> 8 * byte);
  Project read;
  return ParseImage(image, read) == FileResult::TruncatedOrCorrupt;
}

std::string MadeSpriteSheet(const TempDir& dir) {
  IndexedImage palette{15, 1, {}};
  for (uint8_t colour = 1; colour < 16; ++colour) palette.pixels.push_back(colour);
  WriteFile(dir.File("palette.png"), EncodePng(palette, 1));
  std::string command = "convert";
  for (const char* picture : {"rose:", "wizard:", "logo:", "granite:", "netscape:"})
    command += std::string(" \\( ") + picture + " -resize '32x32!' +dither -colors 3 -remap " +
               dir.File("palette.png") + " \\)";
  command += " \\( -size 32x32 xc:none \\) +append PNG32:" + dir.File("sheet.png") + " > /dev/null 2>&1";
  return std::system(command.c_str()) == 0 ? ReadFile(dir.File("sheet.png")) : "";
}

SpriteSheetResult ImportWalkSheet(const std::string& sheet, Project& data) {
  SpriteSheetOptions options;
  options.cellWidth = options.cellHeight = 32;
  return ImportSpriteSheet(reinterpret_cast<const uint8_t*>(sheet.data()), sheet.size(), "walk", data, options);
}

void FillTile(TileSet& set, int tile, int seed) {
  for (int y = 0; y < 8; ++y) {
    set.foreground[tile][y] = (seed + y) % 16;
    set.background[tile][y] = (seed * 3 + y) % 16;
    for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = ((seed + x * y) % 3) == 0;
  }
}

RgbaImage Decoded(const std::string& png) {
  RgbaImage image;
  std::string error;
  DecodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size(), 8192, 8192, image, error);
  return image;
}

ImportResult ImportPicture(const std::string& png, const char* name, Project& into, const ImportOptions& options) {
  return ImportPngImage(reinterpret_cast<const uint8_t*>(png.data()), png.size(), name, into, options);
}

uint64_t Fingerprint(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

void ResetEditor() {
  StopEmulator(emulator);
  ResetProject();
  tileStudio = TileStudioState{};
  spriteStudio = SpriteStudioState{};
  spriteAnimation = SpriteAnimationState{};
  tableStudio = TableStudioState{};
  mapStudio = MapStudioState{};
  session = ProjectSession{};
  notice = Notice{};
  exportWindow = ExportWindowState{};
  importPicture = ImportPictureState{};
  history = History{};
  StartHistory(history, project, tileStudio.canvas);
}

// 80 x 60 tiles of metatiles `size` tiles across: six plain ones in a
// pattern no two views share, a wall at tile column 60 down to row 41 and one
// along tile row 30 up to column 51.
void MakeWalkProject(int size, bool wide) {
  MakeMachineProject();
  Map map = DefaultMap();
  std::snprintf(map.name, sizeof map.name, "Held out");
  map.metatileSize = size;
  map.metatiles.resize(8);
  for (int m = 0; m < 8; ++m)
    for (int t = 0; t < size * size; ++t) map.metatiles[m].tiles[t] = static_cast<uint8_t>(m * 16 + t + 1);
  map.metatiles[6].solid = map.metatiles[7].solid = true;
  map.width = wide ? 256 : 80 / size, map.height = wide ? 64 : 60 / size;
  map.cells.resize(map.width * map.height);
  for (int row = 0; row < map.height; ++row)
    for (int column = 0; column < map.width; ++column)
      map.At(column, row) = static_cast<uint8_t>((column * column + row * 7 + column * row) % 6);
  for (int row = 0; row <= 41 / size; ++row) map.At(60 / size, row) = 6;
  for (int column = 0; column <= 51 / size; ++column) map.At(column, 30 / size) = 7;
  map.play.speed = 2;
  map.play.walkStrip = 0;
  project.maps = {map};
  // The walk: a sprite, then a metasprite of two sprites side by side.
  project.metasprites.resize(1);
  project.metasprites[0].width = 32, project.metasprites[0].height = 16;
  project.metasprites[0].parts = {{1, 0, 0}, {2, 16, 0}};
  project.strips.cells[0][0] = 0;
  project.strips.cells[0][1] = 0, project.strips.metasprite[0][1] = true;
}
