#include "storage/data_export.h"

#include <algorithm>
#include <cstdio>

#include "model/project.h"

namespace {
bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The leftmost pixel goes to the most significant bit, as the chip reads it.
template <typename Pixel>
uint8_t PackRow(const Pixel* pixels) {
  uint8_t row = 0;
  for (int column = 0; column < 8; ++column)
    if (pixels[column]) row |= static_cast<uint8_t>(0x80 >> column);
  return row;
}

void AppendDataLine(std::string& out, const char* prefix, const uint8_t* bytes, std::size_t count) {
  out += prefix;
  char hex[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(hex, sizeof hex, "$%02X", bytes[i]);
    if (i) out += ',';
    out += hex;
  }
  out += '\n';
}

void AppendSprite(std::string& out, const char* prefix, const Sprite& sprite, std::size_t position) {
  out += MakeLabel(sprite.name, "Sprite_", position) + ":\n";
  // Quarters in the chip's order: top left, bottom left, top right, bottom right.
  const int quarters[4][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}};
  for (const auto& [top, left] : quarters) {
    uint8_t rows[8];
    for (int r = 0; r < 8; ++r) rows[r] = PackRow(&sprite.pixels[top + r][left]);
    AppendDataLine(out, prefix, rows, 8);
  }
}

void AppendTileSet(std::string& out, const char* prefix, const TileSet& set, std::size_t position) {
  const std::string label = MakeLabel(set.name, "TileSet_", position);
  uint8_t rows[8];
  out += label + ":\n";
  for (int tile = 0; tile < kTilesPerSet; ++tile) {
    for (int r = 0; r < 8; ++r) rows[r] = PackRow(set.pixels[tile][r]);
    AppendDataLine(out, prefix, rows, 8);
  }
  out += "\n";
  out += label + "_colors:\n";
  for (int tile = 0; tile < kTilesPerSet; ++tile) {
    for (int r = 0; r < 8; ++r)
      rows[r] = static_cast<uint8_t>((set.foreground[tile][r] & 15) << 4 | (set.background[tile][r] & 15));
    AppendDataLine(out, prefix, rows, 8);
  }
  out += "\n";
}

void AppendNameTable(std::string& out, const char* prefix, const NameTable& table, std::size_t position) {
  out += MakeLabel(table.name, "NameTable_", position) + ":\n";
  for (int row = 0; row < kTableRows; ++row)
    AppendDataLine(out, prefix, &table.cells[row * kTableColumns], kTableColumns);
  out += "\n";
}
}  // namespace

std::string MakeLabel(const char* name, const char* fallbackPrefix, std::size_t position) {
  std::string label;
  for (const char* c = name; *c && label.size() < kNameSize - 1; ++c) label += IsAsciiAlnum(*c) ? *c : '_';
  if (label.empty() || (label[0] >= '0' && label[0] <= '9')) label = fallbackPrefix + std::to_string(position);
  return label;
}

std::string ExportText(const char* linePrefix) {
  std::string out;
  const std::vector<Sprite>& spriteList = sprites();
  const std::size_t spriteCount = std::min(spriteList.size(), kMaxExportedRecords);
  for (std::size_t i = 0; i < spriteCount; ++i) AppendSprite(out, linePrefix, spriteList[i], i);
  if (spriteCount > 0) out += "\n";

  for (std::size_t i = 0; i < std::min(tileSets.size(), kMaxExportedRecords) && tileSets[i].name[0]; ++i)
    AppendTileSet(out, linePrefix, tileSets[i], i);
  for (std::size_t i = 0; i < std::min(nameTables.size(), kMaxExportedRecords) && nameTables[i].name[0]; ++i)
    AppendNameTable(out, linePrefix, nameTables[i], i);
  return out;
}

FileResult WriteExport(const std::string& path, const char* linePrefix) {
  return ReplaceFile(path, ExportText(linePrefix), true);
}
