#include "export/text_dialects.h"

#include <algorithm>

// One row a dialect, its fields in TextDialect's order.
// clang-format off
const TextDialect kPasmoDialect = {"", "{label}:\n", "{label}_SIZE: equ {unpacked} ; {packing}, {size} bytes packed\n{label}:\n",
    "   db ", "$", ",", "\n", "", "", 0, true, true, false, "{name}: equ {value}\n"};
const TextDialect kSdasDialect = {"", "{label}::\n", "{label}_SIZE == {unpacked} ; {packing}, {size} bytes packed\n{label}::\n",
    "   .db ", "0x", ",", "\n", "", "", 0, true, true, false, "{name} == {value}\n"};
const TextDialect kZ80asmDialect = {"", "{label}:\n", "{label}_SIZE: equ {unpacked} ; {packing}, {size} bytes packed\n{label}:\n",
    "   defb ", "0x", ",", "\n", "", "", 0, true, true, false, "{name}: equ {value}\n"};
const TextDialect kCvBasicDialect = {"", "{label}:\n", "' {packing}, {size} bytes packed, {unpacked} unpacked\n{label}:\n",
    "   DATA BYTE ", "$", ",", "\n", "", "", 0, true, true, false, "CONST {name} = {value}\n"};
// 32 bytes make a line of at most 11 + 32 * 5 - 1 = 170 characters.
const TextDialect kMsxBasicDialect = {"", "REM {label}\n", "REM {label}: {packing}, {size} bytes packed, {unpacked} unpacked\n",
    "DATA ", "&H", ",", "\n", "", "", 32, true, false, true, "REM {name} = {value}\n"};
const TextDialect kTiDialect = {"", "{label}\n", "* {packing}, {size} bytes packed, {unpacked} unpacked\n{label}\n",
    "       BYTE ", ">", ",", "\n", "", "", 0, true, true, false, "{name} EQU {value}\n"};
const TextDialect kCHeaderDialect = {"#ifndef {guard}\n#define {guard}\n\n",
    "#define {label}_SIZE {size}\nstatic const unsigned char {label}[{size}] = {\n",
    "/* {packing} */\n#define {label}_SIZE {unpacked}\n"
    "#define {label}_PACKED_SIZE {size}\nstatic const unsigned char {label}[{size}] = {\n",
    "    ", "0x", ", ", ",\n", "};\n", "\n#endif\n", 16, true, true, false, "#define {name} {value}\n"};
const TextDialect kCExternHeaderDialect = {"#ifndef {guard}\n#define {guard}\n\n",
    "#define {label}_SIZE {size}\nextern const unsigned char {label}[{size}];\n",
    "/* {packing} */\n#define {label}_SIZE {unpacked}\n"
    "#define {label}_PACKED_SIZE {size}\nextern const unsigned char {label}[{size}];\n",
    "", "", "", "", "", "\n#endif\n", 16, false, false, false, "#define {name} {value}\n"};
const TextDialect kCSourceDialect = {"#include \"{header}\"\n\n", "const unsigned char {label}[{size}] = {\n",
    "const unsigned char {label}[{size}] = {\n",
    "    ", "0x", ", ", ",\n", "};\n", "", 16, true, true, false, ""};
// clang-format on

namespace {
std::string Fill(std::string text, const DataBlock* block, const TextFile& file) {
  auto replace = [&text](const std::string& token, const std::string& value) {
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
      text.replace(at, token.size(), value);
  };
  if (block) {
    replace("{label}", block->label);
    replace("{size}", std::to_string(block->bytes.size()));
    replace("{unpacked}", std::to_string(block->unpacked));
  }
  replace("{packing}", file.packing);
  replace("{guard}", file.guard);
  replace("{header}", file.header);
  return text;
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
  text += Fill(dialect.fileStart, nullptr, file);
  for (const DataBlock& block : blocks) {
    std::string lines;
    for (const auto& [name, value] : block.constants) {
      std::string constant = dialect.constant;
      if (constant.empty()) continue;
      constant.replace(constant.find("{name}"), 6, name);
      constant.replace(constant.find("{value}"), 7, std::to_string(value));
      lines += constant;
    }
    lines += Fill(block.unpacked ? dialect.packedBlockStart : dialect.blockStart, &block, file);
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
    lines += dialect.blockEnd;
    if (!AppendLines(text, lines, dialect, number, file.lineStep)) return false;
    if (block.gapAfter && dialect.blankLines) text += "\n";
  }
  text += Fill(dialect.fileEnd, nullptr, file);
  return true;
}
