#include "storage/data_export.h"

#include <algorithm>
#include <cstdio>

#include "storage/export_labels.h"

namespace {
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

void AppendSprite(std::string& out, const char* prefix, const Sprite& sprite, const std::string& label) {
  out += label + ":\n";
  // Quarters in the chip's order: top left, bottom left, top right, bottom right.
  const int quarters[4][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}};
  for (const auto& [top, left] : quarters) {
    uint8_t rows[8];
    for (int r = 0; r < 8; ++r) rows[r] = PackRow(&sprite.pixels[top + r][left]);
    AppendDataLine(out, prefix, rows, 8);
  }
}

void AppendTileSet(std::string& out, const char* prefix, const TileSet& set, const std::string& label) {
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

void AppendNameTable(std::string& out, const char* prefix, const NameTable& table, const std::string& label) {
  out += label + ":\n";
  for (int row = 0; row < kTableRows; ++row)
    AppendDataLine(out, prefix, &table.cells[row * kTableColumns], kTableColumns);
  out += "\n";
}
}  // namespace

std::string ExportText(const Project& data, const char* linePrefix, std::vector<std::string>* renamed) {
  const ExportLabels labels = LabelExportedRecords(data);
  if (renamed) *renamed = labels.renamed;
  std::string out;
  for (std::size_t i = 0; i < labels.sprites.size(); ++i)
    AppendSprite(out, linePrefix, data.sprites[i], labels.sprites[i]);
  if (!labels.sprites.empty()) out += "\n";
  for (std::size_t i = 0; i < labels.tileSets.size(); ++i)
    AppendTileSet(out, linePrefix, data.tileSets[i], labels.tileSets[i]);
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i)
    AppendNameTable(out, linePrefix, data.nameTables[i], labels.nameTables[i]);
  return out;
}

FileResult WriteExport(const std::string& path, const Project& data, const char* linePrefix,
                       std::vector<std::string>* renamed) {
  return ReplaceFile(path, ExportText(data, linePrefix, renamed), true);
}
