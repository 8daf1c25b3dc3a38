#include "model/export_target.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace {
auto Fields(const ExportTarget& t) {
  return std::tie(t.format, t.path, t.allRecords, t.sprites, t.tileSets, t.nameTables, t.maps, t.tables, t.layout,
                  t.dialect, t.cExtern, t.area, t.cSourcePath, t.cHeaderPath, t.firstLine, t.lineStep, t.scale,
                  t.compression, t.packedTables);
}
}  // namespace

bool operator==(const ExportTarget& a, const ExportTarget& b) { return Fields(a) == Fields(b); }

bool IsAreaName(const std::string& name) {
  if (name.empty() || name.size() > 32 || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
}

bool IsFolderFormat(ExportFormat format) {
  return format == ExportFormat::BinaryTables || format == ExportFormat::Screen2 || format == ExportFormat::Png ||
         format == ExportFormat::TiledMaps;
}

bool TakesCompression(ExportFormat format) {
  return format != ExportFormat::Png && format != ExportFormat::SpriteAttributes && format != ExportFormat::TiledMaps &&
         format != ExportFormat::Aseprite;
}

ExportTarget DefaultExportTarget(ExportFormat format) {
  ExportTarget target;
  target.format = format;
  target.tables = format == ExportFormat::SpriteAttributes ? kSpriteAttributeTable
                  : format == ExportFormat::TiledMaps      ? kMapData
                  : format == ExportFormat::Aseprite       ? kMetaspriteTables
                  : IsFolderFormat(format)                 ? kAllTables
                                                           : kTextTables | kMapData | kMetaspriteTables;
  return target;
}

std::string ExportFormatName(const ExportTarget& target) {
  static const char* const kDialects[kAsmDialects] = {"pasmo", "sdas", "z80asm"};
  std::string name = kExportFormatNames[static_cast<int>(target.format)];
  if (target.format == ExportFormat::CHeader && target.cExtern) name = "C header and source";
  if (target.format == ExportFormat::Assembly)
    name = std::string("Assembly (") + kDialects[static_cast<int>(target.dialect)] + ")";
  if (target.compression != Compression::None && TakesCompression(target.format))
    name += std::string(", ") + kCompressionNames[static_cast<int>(target.compression)];
  return name;
}
