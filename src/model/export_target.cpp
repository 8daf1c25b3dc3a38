#include "model/export_target.h"

#include <tuple>

namespace {
auto Fields(const ExportTarget& t) {
  return std::tie(t.format, t.path, t.allRecords, t.sprites, t.tileSets, t.nameTables, t.tables, t.layout, t.dialect,
                  t.cExtern, t.firstLine, t.lineStep, t.scale);
}
}  // namespace

bool operator==(const ExportTarget& a, const ExportTarget& b) { return Fields(a) == Fields(b); }

bool IsFolderFormat(ExportFormat format) {
  return format == ExportFormat::BinaryTables || format == ExportFormat::Screen2 || format == ExportFormat::Png;
}

ExportTarget DefaultExportTarget(ExportFormat format) {
  ExportTarget target;
  target.format = format;
  target.tables = format == ExportFormat::SpriteAttributes ? kSpriteAttributeTable
                  : IsFolderFormat(format)                 ? kAllTables
                                                           : kTextTables;
  return target;
}

std::string ExportFormatName(const ExportTarget& target) {
  static const char* const kDialects[kAsmDialects] = {"pasmo", "sdas", "z80asm"};
  if (target.format == ExportFormat::Assembly)
    return std::string("Assembly (") + kDialects[static_cast<int>(target.dialect)] + ")";
  if (target.format == ExportFormat::CHeader && target.cExtern) return "C header and source";
  return kExportFormatNames[static_cast<int>(target.format)];
}
