#include "model/project.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

NameTable::NameTable() : name{} { std::fill(std::begin(cells), std::end(cells), EmptyCell); }

std::vector<Sprite>& sprites() {
  static std::vector<Sprite> list{DefaultSprite()};
  return list;
}

std::vector<TileSet> tileSets{DefaultTileSet()};
std::vector<NameTable> nameTables{DefaultNameTable()};

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
  return sprite;
}

NameTable DefaultNameTable() {
  NameTable table;
  SetName(table.name, "Name Table 1");
  return table;
}

void ResetProject() {
  tileSets.clear();
  nameTables.clear();
  sprites().clear();
  tileSets.push_back(DefaultTileSet());
  nameTables.push_back(DefaultNameTable());
  sprites().push_back(DefaultSprite());
}
