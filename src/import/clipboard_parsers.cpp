#include "import/clipboard_parsers.h"

#include <cstring>
#include <string_view>

// Character classes are our own ASCII tables rather than <cctype>: pasted text
// may hold any byte, and the answer must not depend on the process locale.
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
char ToLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

enum CharClass : uint8_t { kIgnored, kTokenChar, kSeparator };

struct CharTables {
  int8_t hexValue[256];
  CharClass dataClass[256];
};

constexpr CharTables MakeCharTables() {
  CharTables tables{};
  for (int c = 0; c < 256; ++c) {
    tables.hexValue[c] = -1;
    tables.dataClass[c] = kIgnored;
  }
  for (int c = '0'; c <= '9'; ++c) tables.hexValue[c] = static_cast<int8_t>(c - '0');
  for (int c = 'a'; c <= 'f'; ++c) tables.hexValue[c] = static_cast<int8_t>(c - 'a' + 10);
  for (int c = 'A'; c <= 'F'; ++c) tables.hexValue[c] = static_cast<int8_t>(c - 'A' + 10);
  for (int c = 0; c < 256; ++c)
    if (tables.hexValue[c] >= 0) tables.dataClass[c] = kTokenChar;
  for (char c : {'$', '%', 'h', 'H', 'x', 'X'}) tables.dataClass[static_cast<uint8_t>(c)] = kTokenChar;
  // ',' and what isspace accepts in the C locale end a token.
  for (char c : {',', ' ', '\t', '\n', '\v', '\f', '\r'}) tables.dataClass[static_cast<uint8_t>(c)] = kSeparator;
  return tables;
}
constexpr CharTables kChars = MakeCharTables();

int HexValue(char c) { return kChars.hexValue[static_cast<uint8_t>(c)]; }

int DigitValue(char c, int base) {
  const int value = HexValue(c);
  return value < base ? value : -1;
}

// strtoul on a 32-bit unsigned long: leading digits only, one "0x" skipped in
// base 16 when a digit follows it; false when no digit converts or on overflow.
bool ConvertDigits(std::string_view digits, int base, uint32_t& value) {
  if (base == 16 && digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X') &&
      HexValue(digits[2]) >= 0)
    digits.remove_prefix(2);
  uint64_t total = 0;
  std::size_t used = 0;
  bool overflow = false;
  for (; used < digits.size(); ++used) {
    const int digit = DigitValue(digits[used], base);
    if (digit < 0) break;
    total = total * base + digit;
    if (total > UINT32_MAX) {
      overflow = true;
      total = UINT32_MAX;  // keeps the sum bounded while the digits run on
    }
  }
  value = static_cast<uint32_t>(total);
  return used > 0 && !overflow;
}

void ConvertToken(std::string_view token, std::vector<uint8_t>& bytes) {
  if (token.empty()) return;
  std::string_view digits = token;
  int base = 16;
  if (token[0] == '%') {
    digits.remove_prefix(1);
    base = 2;
  } else if (token[0] == '$') {
    digits.remove_prefix(1);
  } else if (token.size() >= 3 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    digits.remove_prefix(2);
  } else if (token.size() >= 2 && (token.back() == 'h' || token.back() == 'H')) {
    digits.remove_suffix(1);
  }
  uint32_t value;
  if (ConvertDigits(digits, base, value)) bytes.push_back(static_cast<uint8_t>(value & 0xFF));
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Position just past the first "db" in any letter case, or npos.
std::size_t FindDataKeyword(std::string_view line) {
  for (std::size_t i = 0; i + 1 < line.size(); ++i)
    if (ToLower(line[i]) == 'd' && ToLower(line[i + 1]) == 'b') return i + 2;
  return std::string_view::npos;
}

void ScanDataField(std::string_view field, std::string& token, std::vector<uint8_t>& bytes) {
  token.clear();
  for (char c : field) {
    const CharClass kind = kChars.dataClass[static_cast<uint8_t>(c)];
    if (kind == kTokenChar) {
      token.push_back(c);
    } else if (kind == kSeparator) {
      ConvertToken(token, bytes);
      token.clear();
    }
  }
  ConvertToken(token, bytes);
}

void ParseLine(std::string_view line, std::string& token, std::vector<ImportBlock>& blocks) {
  std::size_t first = 0;
  while (first < line.size() && IsBlank(line[first])) ++first;
  if (first == line.size() || line[first] == ';') return;
  if (line.substr(first, 2) == "//") return;

  const std::size_t colon = line.find(':');
  if (colon != std::string_view::npos) {
    const std::string_view label = Trim(line.substr(0, colon));
    if (!label.empty()) blocks.push_back({std::string(label), {}});
  }

  const std::size_t dataStart = FindDataKeyword(line);
  if (dataStart == std::string_view::npos) return;
  if (blocks.empty()) blocks.push_back({"Imported", {}});
  std::string_view field = line.substr(dataStart);
  field = field.substr(0, field.find(';'));
  ScanDataField(field, token, blocks.back().bytes);
}
}  // namespace

std::vector<ImportBlock> ParseTokenImport(const char* text) {
  std::vector<ImportBlock> blocks;
  if (!text) return blocks;
  std::string_view rest(text);
  std::string token;  // reused for every token; never longer than one line
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    ParseLine(rest.substr(0, end), token, blocks);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return blocks;
}

std::vector<uint8_t> ParseRawHexImport(const char* text) {
  std::vector<uint8_t> bytes;
  if (!text) return bytes;
  bytes.resize(std::strlen(text) / 2 + 1);  // the most the text can hold
  uint8_t* out = bytes.data();
  int high = -1;
  for (const char* c = text; *c; ++c) {
    const int digit = HexValue(*c);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      *out++ = static_cast<uint8_t>(high << 4 | digit);
      high = -1;
    }
  }
  if (high >= 0) *out++ = static_cast<uint8_t>(high << 4);
  bytes.resize(static_cast<std::size_t>(out - bytes.data()));
  return bytes;
}
