#include "export/data_export.h"

#include "chip/chip_bytes.h"
#include "export/export_blocks.h"
#include "export/export_labels.h"
#include "export/game_constants.h"

void AppendHexBytes(std::string& out, const uint8_t* bytes, std::size_t count) {
  static const char digits[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < count; ++i) {
    if (i) out += ',';
    out += '$';
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
}

std::string ExportText(const Project& data, const TextDialect& dialect, std::vector<std::string>* renamed) {
  const ExportLabels labels = LabelExportedRecords(data);
  if (renamed) *renamed = labels.renamed;
  std::string text;
  TextFile file;
  file.constants = ChipConstants(file.module, data.spriteSize);
  WriteTextBlocks(ExportBlocks(data, labels, SelectAll(data, kTextTables)), dialect, file, text);
  return text;
}

FileResult WriteExport(const std::string& path, const Project& data, const TextDialect& dialect,
                       std::vector<std::string>* renamed) {
  return ReplaceFile(path, ExportText(data, dialect, renamed), false);  // the same bytes on every system
}
