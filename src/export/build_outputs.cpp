#include "export/build_outputs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "chip/chip_bytes.h"
#include "chip/chip_render.h"
#include "chip/group_colours.h"
#include "chip/sprite_attributes.h"
#include "chip/video_memory.h"
#include "export/data_export.h"
#include "export/export_blocks.h"
#include "export/export_labels.h"
#include "export/game_tables.h"
#include "export/parallel_for.h"
#include "export/sprite_sheet_image.h"
#include "storage/png_file.h"
#include "storage/utf8_path.h"

namespace {
std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }
}  // namespace

std::string IndexText(const std::vector<OutputFile>& files) {
  std::string text;
  char line[256];
  for (const OutputFile& file : files) {
    if (file.unpacked)
      std::snprintf(line, sizeof line, "%-24s %6zu  packed from %zu: %s\n", file.name.c_str(), file.bytes.size(),
                    file.unpacked, file.description.c_str());
    else
      std::snprintf(line, sizeof line, "%-24s %6zu  %s\n", file.name.c_str(), file.bytes.size(),
                    file.description.c_str());
    text += line;
  }
  return text;
}

std::vector<OutputFile> BinaryTableFiles(const Project& data, const ExportSelection& selection) {
  const ExportLabels labels = LabelExportedRecords(data);
  const uint32_t tables = selection.tables;
  std::vector<OutputFile> files;
  for (std::size_t i = 0; i < labels.tileSets.size(); ++i) {
    const std::string& label = labels.tileSets[i];
    if (!selection.tileSets[i]) continue;
    if (tables & kPatternTable)
      files.push_back({label + ".pat", Text(PatternBytes(data.tileSets[i])), "pattern table of tile set " + label});
    if ((tables & kColourTable) && SetShowsGroupColours(data, i))
      files.push_back({label + ".gcl", Text(GroupColourBytes(data.tileSets[i])),
                       "Graphics I colour table of tile set " + label + " (a byte a group of 8 tiles)"});
    if ((tables & kColourTable) && !data.tileSets[i].graphics1)
      files.push_back({label + ".col", Text(ColourBytes(data.tileSets[i])), "colour table of tile set " + label});
  }
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i) {
    const std::string& label = labels.nameTables[i];
    const NameTable& table = data.nameTables[i];
    if (!selection.nameTables[i]) continue;
    if ((tables & kNameTableData) && (table.mode == ScreenMode::Graphics2 || table.mode == ScreenMode::Graphics1))
      files.push_back(
          {label + ".nam", std::string(std::begin(table.cells), std::end(table.cells)),
           "name table " + label + ", backdrop " + std::to_string(table.backdrop & 15) + " (" + label + "_BACKDROP)"});
    else if (tables & kNameTableData)
      for (const DataBlock& block : NameTableBlocks(table, label))
        files.push_back(
            {label + (block.label == label + kBlocksSuffix ? ".blk" : ".nam"), Text(block.bytes), block.what});
    if ((tables & kSpriteAttributeTable) && table.mode != ScreenMode::Text)
      files.push_back({label + ".sat", Text(BuildSpriteAttributes(table, data.sprites, data.spriteSize).Bytes()),
                       "sprite attribute table of name table " + label});
  }
  for (std::size_t i = 0; i < labels.maps.size(); ++i) {
    if (!selection.maps[i] || !(tables & kMapData)) continue;
    const Map& map = data.maps[i];
    const std::string size = std::to_string(map.width) + " x " + std::to_string(map.height);
    files.push_back({labels.maps[i] + ".mtl", Text(MetatileBytes(map)),
                     std::to_string(map.metatiles.size()) + " metatiles of map " + labels.maps[i] + ", " +
                         std::to_string(map.metatileSize * map.metatileSize) + " tiles each"});
    files.push_back({labels.maps[i] + ".map", std::string(map.cells.begin(), map.cells.end()),
                     "map " + labels.maps[i] + ", " + size + " cells, a byte each, row by row"});
    files.push_back({labels.maps[i] + ".sol", Text(SolidBytes(map)),
                     "solid metatiles of map " + labels.maps[i] + ": a byte each, 1 where a walker cannot enter"});
  }
  const std::vector<int> patterns = SpritePatternNumbers(selection, data.spriteSize);
  for (std::size_t i = 0; i < labels.metasprites.size(); ++i)
    if (selection.metasprites[i] && (tables & kMetaspriteTables))
      files.push_back({labels.metasprites[i] + ".msp",
                       Text(MetaspriteBytes(data.metasprites[i], data.sprites, patterns, data.spriteSize)),
                       "metasprite " + labels.metasprites[i] + ": its part count, then y, x, pattern, colour each"});
  if (tables & kSpritePatterns) {
    std::string sprites;
    std::size_t count = 0;
    for (std::size_t i = 0; i < labels.sprites.size(); ++i)
      if (selection.sprites[i]) sprites += Text(SpritePatternBytes(data.sprites[i], data.spriteSize)), ++count;
    files.push_back({"sprites.spr", sprites,
                     std::to_string(count) + " sprite patterns, " +
                         std::to_string(data.spriteSize.side * data.spriteSize.side / 8) + " bytes each"});
  }
  files.push_back({"index.txt", IndexText(files), "this list"});
  return files;
}

std::vector<OutputFile> ScreenFiles(const Project& data, const ExportSelection& selection) {
  const ExportLabels labels = LabelExportedRecords(data);
  const ChipTables tables = BuildChipTables(data);  // each set's tables once, however many thirds show it
  std::vector<OutputFile> files;
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i) {
    if (!selection.nameTables[i]) continue;
    const ScreenFileKind& kind = kScreenFileKinds[static_cast<int>(data.nameTables[i].mode)];
    const std::string memory =
        VideoMemoryImage(ScreenVideoBlocks(data, tables, data.nameTables[i], selection.layout)).substr(0, kind.bytes);
    const std::size_t end = kind.bytes - 1;
    const char header[7] = {'\xFE', 0, 0, char(end & 0xFF), char(end >> 8), 0, 0};  // BLOAD: start 0, its end, run 0
    files.push_back({labels.nameTables[i] + kind.extension, std::string(header, 7) + memory,
                     std::string(kind.basic) + " picture " + labels.nameTables[i]});
  }
  return files;
}

std::vector<OutputFile> PngFiles(const Project& data, int scale, const ExportSelection& selection) {
  const ExportLabels labels = LabelExportedRecords(data);
  std::vector<std::size_t> screens, sheets, maps;
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i)
    if (selection.nameTables[i]) screens.push_back(i);
  for (std::size_t i = 0; i < labels.tileSets.size(); ++i)
    if (selection.tileSets[i]) sheets.push_back(i);
  for (std::size_t i = 0; i < labels.maps.size(); ++i) {
    const Map& map = data.maps[i];
    const long side = 8L * map.metatileSize * std::max(map.width, map.height) * scale;
    if (selection.maps[i] && !data.tileSets.empty() && side <= kLargestMapPicture) maps.push_back(i);
  }
  std::vector<OutputFile> files(screens.size() + sheets.size() + maps.size());
  const bool metasprites =
      (selection.tables & kMetaspriteTables) &&
      std::find(selection.metasprites.begin(), selection.metasprites.end(), true) != selection.metasprites.end();
  ParallelFor(files.size(), [&](std::size_t k) {
    if (k >= screens.size() + sheets.size()) {
      const std::size_t i = maps[k - screens.size() - sheets.size()];
      const Map& map = data.maps[i];
      files[k] = {labels.maps[i] + ".map.png", EncodePng(RenderMap(map, MapTileSet(data, map)), scale),
                  "map " + labels.maps[i]};
    } else if (k < screens.size()) {
      const std::size_t i = screens[k];
      files[k] = {
          labels.nameTables[i] + ".png",
          EncodePng(RenderScreen(data.nameTables[i], data.tileSets, data.sprites, data.spriteSize, ScreenLook::Editor),
                    scale),
          "screen " + labels.nameTables[i]};
    } else {
      const std::size_t i = sheets[k - screens.size()];
      files[k] = {labels.tileSets[i] + ".sheet.png", EncodePng(RenderTileSheet(data.tileSets[i]), scale),
                  "tile sheet " + labels.tileSets[i]};
    }
  });
  // A sheet of them all, as the sprite sheet import reads it back.
  if (metasprites)
    files.push_back({"metasprites.png", SpriteSheetPng(data, scale),
                     std::to_string(data.metasprites.size()) + " metasprites as a sprite sheet"});
  return files;
}

std::string SpriteAttributeText(const Project& data, const ExportSelection& selection) {
  const ExportLabels labels = LabelExportedRecords(data);
  std::string out = "; Tessellary export, label scheme " + std::to_string(kLabelScheme) + "\n\n";
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i) {
    if (!selection.nameTables[i]) continue;
    const SpriteAttributes attributes = BuildSpriteAttributes(data.nameTables[i], data.sprites, data.spriteSize);
    for (const std::string& problem : attributes.problems) out += "; " + problem + "\n";
    out += labels.nameTables[i] + kAttributesSuffix + ":\n";
    for (const SpritePlane& plane : attributes.planes) {
      const uint8_t bytes[4] = {plane.y, plane.x, plane.pattern, plane.colour};
      out += kAssemblyLinePrefix;
      AppendHexBytes(out, bytes, 4);
      out += std::string(" ; ") + data.sprites[plane.sprite].name + "\n";
    }
    if (attributes.planes.size() < kSpritePlanes) {
      out += kAssemblyLinePrefix;
      AppendHexBytes(out, &kTerminatorY, 1);
      out += "\n";
    }
    out += "\n";
  }
  return out;
}

std::vector<std::string> SpriteAttributeProblems(const Project& data, const ExportSelection& selection) {
  const ExportLabels labels = LabelExportedRecords(data);
  std::vector<std::string> problems;
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i)
    if (selection.nameTables[i])
      for (const std::string& problem :
           BuildSpriteAttributes(data.nameTables[i], data.sprites, data.spriteSize).problems)
        problems.push_back(labels.nameTables[i] + ": " + problem);
  return problems;
}

FileResult WriteOutputFiles(const std::string& folder, const std::vector<OutputFile>& files,
                            std::vector<std::string>* written) {
  std::error_code error;
  if (!std::filesystem::is_directory(Utf8Path(folder), error)) return FileResult::CannotWrite;
  for (const OutputFile& file : files) {
    const std::string path = Utf8Text(Utf8Path(folder) / Utf8Path(file.name));
    if (FileResult result = ReplaceFile(path, file.bytes, false); result != FileResult::Ok) return result;
    if (written) written->push_back(path);
  }
  return FileResult::Ok;
}
