#include "export/text_dialects.h"

#include <algorithm>
#include <cstdio>

#include "export/export_labels.h"

// One row a dialect, its fields in TextDialect's order.
// clang-format off
const TextDialect kPasmoDialect = {"; Tessellary export, label scheme {scheme}\n\n", "; {text}\n", "{label}:\n",
    "   db ", "$", ",", "\n", "", "", 0, true, true, false, "{name}: equ {value}\n", "",
    "{label}:\n", "   dw {item}\n", ""};
// C reaches "_name"; assembly keeps the plain name too. The sizes are also words C can read ("name_size").
const TextDialect kSdasDialect = {"; Tessellary export, label scheme {scheme}\n   .module {module}\n   .area {area}\n\n",
    "; {text}\n", "_{label}::\n{label}::\n",
    "   .db ", "0x", ",", "\n", "", "", 0, true, true, false, "{name} == {value}\n",
    "_{label}_size::\n   .dw {unpacked}\n", "_{label}::\n{label}::\n", "   .dw {item}\n", ""};
const TextDialect kZ80asmDialect = {"; Tessellary export, label scheme {scheme}\n\n", "; {text}\n", "{label}:\n",
    "   defb ", "0x", ",", "\n", "", "", 0, true, true, false, "{name}: equ {value}\n", "",
    "{label}:\n", "   defw {item}\n", ""};
const TextDialect kCvBasicDialect = {"' Tessellary export, label scheme {scheme}\n\n", "' {text}\n", "{label}:\n",
    "   DATA BYTE ", "$", ",", "\n", "", "", 0, true, true, false, "CONST {name} = {value}\n", ""};
// 32 bytes make a line of at most 11 + 32 * 5 - 1 = 170 characters.
const TextDialect kMsxBasicDialect = {"REM Tessellary export, label scheme {scheme}\n", "REM {text}\n", "REM {label}\n",
    "DATA ", "&H", ",", "\n", "", "", 32, true, false, true, "REM {name} = {value}\n", ""};
const TextDialect kTiDialect = {"* Tessellary export, label scheme {scheme}\n\n", "* {text}\n", "{label}\n",
    "       BYTE ", ">", ",", "\n", "", "", 0, true, true, false, "{name} EQU {value}\n", "",
    "{label}\n", "       DATA {item}\n", ""};
const TextDialect kCHeaderDialect = {"/* Tessellary export, label scheme {scheme} */\n#ifndef {guard}\n#define {guard}\n\n",
    "/* {text} */\n", "static const unsigned char {label}[{size}] = {\n",
    "    ", "0x", ", ", ",\n", "};\n", "\n#endif\n", 16, true, true, false, "#define {name} {value}\n", "",
    "static const unsigned char* const {label}[{size}] = {\n", "    {item},\n", "};\n"};
const TextDialect kCExternHeaderDialect = {"/* Tessellary export, label scheme {scheme} */\n#ifndef {guard}\n#define {guard}\n\n",
    "/* {text} */\n", "extern const unsigned char {label}[{size}];\n",
    "", "", "", "", "", "\n#endif\n", 16, false, false, false, "#define {name} {value}\n", "",
    "extern const unsigned char* const {label}[{size}];\n"};
const TextDialect kCSourceDialect = {"/* Tessellary export, label scheme {scheme} */\n#include \"{header}\"\n\n", "",
    "const unsigned char {label}[{size}] = {\n",
    "    ", "0x", ", ", ",\n", "};\n", "", 16, true, true, false, "", "",
    "const unsigned char* const {label}[{size}] = {\n", "    {item},\n", "};\n"};
const TextDialect kCSdasHeaderDialect = {"/* Tessellary export, label scheme {scheme} */\n#ifndef {guard}\n#define {guard}\n\n",
    "/* {text} */\n", "extern const unsigned char {label}[{size}];\nextern const unsigned int {label}_size;\n",
    "", "", "", "", "", "\n#endif\n", 16, false, false, false, "#define {name} {value}\n", "",
    "extern const unsigned char* const {label}[{size}];\n"};
// clang-format on

namespace {
std::string Fill(std::string text, const DataBlock* block, const TextFile& file) {
  auto replace = [&text](const std::string& token, const std::string& value) {
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
      text.replace(at, token.size(), value);
  };
  if (block) {
    replace("{label}", block->label);
    replace("{size}", std::to_string(block->addresses.empty() ? block->bytes.size() : block->addresses.size()));
    replace("{unpacked}", std::to_string(block->TableSize()));
  }
  replace("{scheme}", std::to_string(kLabelScheme));
  replace("{guard}", file.guard);
  replace("{header}", file.header);
  replace("{module}", file.module);
  replace("{area}", file.area);
  return text;
}

// "pattern table of tile set Dungeon, 2048 bytes, ZX0 packed to 612, VRAM 0x0000"
std::string DescribeBlock(const DataBlock& block, const TextFile& file) {
  const std::size_t size = block.TableSize();
  std::string text =
      (block.what.empty() ? block.label : block.what) + ", " + std::to_string(size) + (size == 1 ? " byte" : " bytes");
  if (block.unpacked) text += ", " + file.packing + " packed to " + std::to_string(block.bytes.size());
  if (block.vram >= 0) {
    char address[24];
    std::snprintf(address, sizeof address, ", VRAM 0x%04X", block.vram);
    text += address;
  }
  return text;
}

std::string FillComment(const TextDialect& dialect, const std::string& text) {
  std::string comment = dialect.comment;
  return comment.replace(comment.find("{text}"), 6, text);
}

std::string FillConstant(const TextDialect& dialect, const std::string& name, int value) {
  std::string constant = dialect.constant;
  constant.replace(constant.find("{name}"), 6, name);
  constant.replace(constant.find("{value}"), 7, std::to_string(value));
  return constant;
}

// The record's constants, then the table's own.
std::vector<std::pair<std::string, int>> BlockConstants(const DataBlock& block) {
  if (!block.addresses.empty()) return {{block.label + "_COUNT", static_cast<int>(block.addresses.size())}};
  std::vector<std::pair<std::string, int>> constants = block.constants;
  constants.push_back({block.label + "_SIZE", static_cast<int>(block.TableSize())});
  if (block.unpacked) constants.push_back({block.label + "_PACKED_SIZE", static_cast<int>(block.bytes.size())});
  if (block.vram >= 0) constants.push_back({block.label + "_VRAM", block.vram});
  return constants;
}

// Appends `lines` (each ending in "\n"), numbering each in a numbered dialect.
bool AppendLines(std::string& text, const std::string& lines, const TextDialect& dialect, int& number, int step) {
  if (!dialect.numbered) {
    text += lines;
    return true;
  }
  for (std::size_t at = 0; at < lines.size();) {
    const std::size_t end = lines.find('\n', at);
    if (number > kMaxBasicLine) return false;
    text += std::to_string(number) + " " + lines.substr(at, end - at + 1);
    number += step;
    at = end + 1;
  }
  return true;
}
}  // namespace

bool WriteTextBlocks(const std::vector<DataBlock>& blocks, const TextDialect& dialect, const TextFile& file,
                     std::string& text) {
  static const char kDigits[] = "0123456789ABCDEF";
  int number = file.firstLine;
  std::string start = Fill(dialect.fileStart, nullptr, file);
  // One buffer that every table unpacks through.
  std::size_t largest = 0;
  for (const DataBlock& block : blocks) largest = std::max(largest, block.TableSize());
  if (*dialect.constant && !blocks.empty())
    start += FillConstant(dialect, file.module + "_LARGEST_TABLE", static_cast<int>(largest)) +
             (dialect.blankLines ? "\n" : "");
  if (*dialect.constant && !file.constants.empty()) {
    if (*dialect.comment) start += FillComment(dialect, "the sprite size, and each screen mode's registers and tables");
    for (const auto& [name, value] : file.constants) start += FillConstant(dialect, name, value);
    if (dialect.blankLines) start += "\n";
  }
  if (!AppendLines(text, start, dialect, number, file.lineStep)) return false;
  for (const DataBlock& block : blocks) {
    const bool addresses = !block.addresses.empty();
    if (addresses && !*dialect.addressStart) continue;
    std::string lines;
    if (*dialect.comment) {
      lines += FillComment(dialect, addresses ? block.what : DescribeBlock(block, file));
    }
    if (*dialect.constant)
      for (const auto& [name, value] : BlockConstants(block)) lines += FillConstant(dialect, name, value);
    lines += Fill(addresses ? dialect.addressStart : dialect.blockStart, &block, file);
    for (std::size_t i = 0; dialect.dataLines && i < block.addresses.size(); ++i) {
      std::string line = dialect.addressLine;
      lines += line.replace(line.find("{item}"), 6, block.addresses[i]);
    }
    const std::size_t width = static_cast<std::size_t>(dialect.lineBytes ? dialect.lineBytes : block.lineBytes);
    for (std::size_t at = 0; dialect.dataLines && at < block.bytes.size(); at += width) {
      lines += dialect.linePrefix;
      for (std::size_t i = at; i < std::min(at + width, block.bytes.size()); ++i) {
        if (i > at) lines += dialect.separator;
        lines += dialect.bytePrefix;
        lines += kDigits[block.bytes[i] >> 4];
        lines += kDigits[block.bytes[i] & 15];
      }
      lines += dialect.lineEnd;
    }
    lines += addresses ? dialect.addressEnd : dialect.blockEnd;
    if (!AppendLines(text, lines, dialect, number, file.lineStep)) return false;
    if (block.gapAfter && dialect.blankLines) text += "\n";
  }
  if (*dialect.sizeWord) {
    text += "\n" + FillComment(dialect, "each table's unpacked size, for C: extern const unsigned int <label>_size;");
    for (const DataBlock& block : blocks)
      if (block.addresses.empty()) text += Fill(dialect.sizeWord, &block, file);
  }
  text += Fill(dialect.fileEnd, nullptr, file);
  return true;
}
