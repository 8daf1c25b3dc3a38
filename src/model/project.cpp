#include "model/project.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

NameTable::NameTable() : name{}, thirdTileSets{0, 0, 0} { std::fill(std::begin(cells), std::end(cells), EmptyCell); }

AnimationStrips::AnimationStrips() {
  for (int s = 0; s < kStrips; ++s)
    for (int f = 0; f < kStripCells; ++f) {
      cells[s][f] = -1;
      active[s][f] = false;
      metasprite[s][f] = false;
    }
}

bool EmptyStrip(const AnimationStrips& strips, int strip) {
  return std::all_of(std::begin(strips.cells[strip]), std::end(strips.cells[strip]), [](int32_t c) { return c < 0; });
}

namespace {
template <typename Field>
bool Same(const Field& a, const Field& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}
}  // namespace

bool operator==(const Sprite& a, const Sprite& b) {
  return Same(a.name, b.name) && Same(a.pixels, b.pixels) && a.colour == b.colour;
}
bool operator==(const TileSet& a, const TileSet& b) {
  return Same(a.name, b.name) && Same(a.pixels, b.pixels) && Same(a.foreground, b.foreground) &&
         Same(a.background, b.background) && a.graphics1 == b.graphics1;
}
bool operator==(const SpritePlacement& a, const SpritePlacement& b) {
  return a.spriteIndex == b.spriteIndex && Same(a.x, b.x) && Same(a.y, b.y) && a.group == b.group;
}
bool operator==(const NameTable& a, const NameTable& b) {
  return Same(a.name, b.name) && Same(a.cells, b.cells) && a.placements == b.placements &&
         Same(a.thirdTileSets, b.thirdTileSets) && a.backdrop == b.backdrop && a.mode == b.mode &&
         a.textColour == b.textColour && a.textCells == b.textCells && a.blocks == b.blocks;
}
bool operator==(const AnimationStrips& a, const AnimationStrips& b) {
  return Same(a.cells, b.cells) && Same(a.active, b.active) && Same(a.metasprite, b.metasprite) &&
         Same(a.frameSeconds, b.frameSeconds);
}
bool operator==(const Project& a, const Project& b) {
  return a.sprites == b.sprites && a.tileSets == b.tileSets && a.nameTables == b.nameTables && a.strips == b.strips &&
         a.exportTargets == b.exportTargets && a.maps == b.maps && a.metasprites == b.metasprites &&
         a.spriteSize == b.spriteSize && a.palette == b.palette;
}

bool operator==(const MetaspritePart& a, const MetaspritePart& b) {
  return a.sprite == b.sprite && a.x == b.x && a.y == b.y;
}

bool operator==(const Metasprite& a, const Metasprite& b) {
  return std::memcmp(a.name, b.name, sizeof a.name) == 0 && a.width == b.width && a.height == b.height &&
         a.parts == b.parts && a.sheet.column == b.sheet.column && a.sheet.row == b.sheet.row &&
         a.sheet.columns == b.sheet.columns && a.sheet.rows == b.sheet.rows;
}

bool ChoosePalette(Project& data, PaletteId palette) {
  if (data.palette == palette) return false;
  data.palette = palette;
  return true;
}

bool IsUntouchedProject(const Project& data) {
  Project fresh = DefaultProject();
  fresh.palette = data.palette;
  return data == fresh;
}

std::string PastPatternTableWarning(const Project& data) {
  const int held = data.spriteSize.PatternTableSprites(), count = static_cast<int>(data.sprites.size());
  if (count <= held) return "";
  const std::string side = std::to_string(data.spriteSize.side);
  return "; sprites " + std::to_string(held + 1) + " to " + std::to_string(count) + " lie past the " +
         std::to_string(held) + " the chip's pattern table holds at " + side + " x " + side +
         ": the machine cannot show them, and the exports refuse them";
}

int RenumberSpriteUses(Project& data, int count, const std::function<int(int)>& renumber) {
  int gone = 0;
  auto follow = [&](int32_t& index) {
    if (index < 0 || index >= count) return;
    index = renumber(index);
    gone += index < 0;
  };
  for (NameTable& table : data.nameTables)
    for (SpritePlacement& placement : table.placements) follow(placement.spriteIndex);
  for (int s = 0; s < kStrips; ++s)
    for (int f = 0; f < kStripCells; ++f)
      if (!data.strips.metasprite[s][f]) follow(data.strips.cells[s][f]);
  for (Metasprite& metasprite : data.metasprites)
    for (MetaspritePart& part : metasprite.parts) follow(part.sprite);
  return gone;
}

void ForgetMetasprite(AnimationStrips& strips, int removed) {
  for (int s = 0; s < kStrips; ++s)
    for (int f = 0; f < kStripCells; ++f) {
      if (!strips.metasprite[s][f] || strips.cells[s][f] < removed) continue;
      if (strips.cells[s][f] > removed) {
        --strips.cells[s][f];
        continue;
      }
      strips.cells[s][f] = -1;
      strips.metasprite[s][f] = false;
    }
}

Project project = DefaultProject();
const ChipPalette* paletteShownInstead = nullptr;
std::vector<Sprite>& sprites() { return project.sprites; }
std::vector<TileSet>& tileSets = project.tileSets;
std::vector<NameTable>& nameTables = project.nameTables;

void SetName(char (&name)[kNameSize], const char* source) {
  std::strncpy(name, source, kNameSize - 1);
  name[kNameSize - 1] = 0;
}

void FormatName(char (&name)[kNameSize], const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(name, kNameSize, format, args);
  va_end(args);
  name[kNameSize - 1] = 0;
}

TileSet DefaultTileSet() {
  TileSet set;
  SetName(set.name, "Tile Set 1");
  return set;
}

Sprite DefaultSprite() {
  Sprite sprite;
  SetName(sprite.name, "Sprite 0");
  sprite.colour = kNewSpriteColour;  // drawn pixels show at once, not as the transparent checker
  return sprite;
}

NameTable DefaultNameTable() {
  NameTable table;
  SetName(table.name, "Name Table 1");
  return table;
}

const TileSet& MapTileSet(const Project& data, const Map& map) {
  static const TileSet blank;
  return data.tileSets.empty() ? blank : data.tileSets[MapSetIndex(map, data.tileSets.size())];
}

int TileSetForRow(const NameTable& table, int row, std::size_t tileSetCount) {
  const int32_t set = table.thirdTileSets[std::clamp(row / 8, 0, kThirds - 1)];
  return set >= 0 && static_cast<std::size_t>(set) < tileSetCount ? set : 0;
}

Project DefaultProject() {
  Project fresh;
  fresh.sprites.push_back(DefaultSprite());
  fresh.tileSets.push_back(DefaultTileSet());
  fresh.nameTables.push_back(DefaultNameTable());
  return fresh;
}

void ResetProject() { project = DefaultProject(); }
