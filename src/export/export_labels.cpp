#include "export/export_labels.h"

#include <algorithm>
#include <map>
#include <set>

namespace {
bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The plain letters of U+00C0 to U+00FF ("" for the signs among them).
const char* const kLatin1Letters[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E",  "E",  "E", "E", "I", "I", "I", "I", "D",  "N", "O",  "O", "O", "O",
    "O", "",  "O", "U", "U", "U", "U",  "Y", "TH", "ss", "a", "a", "a", "a", "a", "a", "ae", "c", "e",  "e", "e", "e",
    "i", "i", "i", "i", "d", "n", "o",  "o", "o",  "o",  "o", "",  "o", "u", "u", "u", "u",  "y", "th", "y"};

// The code point of the UTF-8 sequence at `text` and its length; a stray byte stands for itself.
char32_t NextCodePoint(const unsigned char* text, int& length) {
  const int lead = text[0];
  length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) return length = 1, lead;
    code = code << 6 | (text[i] & 0x3F);
  }
  return code;
}

template <typename Record>
std::size_t NamedPrefix(const std::vector<Record>& list) {
  std::size_t count = 0;
  while (count < std::min(list.size(), kMaxExportedRecords) && list[count].name[0]) ++count;
  return count;
}

struct TakenLabels {
  std::set<std::string> labels;
  std::map<std::string, int> nextNumber;  // per label, where the search for a free numbered form goes on
};

// Takes `label` or the first free numbered form of it. Numbers below the last
// one given for a label were taken then and still are, so the search starts there.
std::string Claim(TakenLabels& taken, const std::string& label, std::vector<std::string>& renamed) {
  auto free = [&](const std::string& candidate) { return !taken.labels.count(candidate); };
  std::string chosen = label;
  int& next = taken.nextNumber.emplace(label, 2).first->second;
  if (!free(chosen))
    for (chosen = label + "_" + std::to_string(next); !free(chosen); chosen = label + "_" + std::to_string(++next)) {
    }
  if (chosen != label) renamed.push_back(label + " -> " + chosen);
  taken.labels.insert(chosen);
  return chosen;
}
}  // namespace

std::string MakeLabel(const char* name, const char* fallbackPrefix, std::size_t position) {
  std::string label;
  const auto* text = reinterpret_cast<const unsigned char*>(name);
  for (int length = 1; *text; text += length) {
    const char32_t code = NextCodePoint(text, length);
    if (code < 0x80)
      label += IsAsciiAlnum(static_cast<char>(code)) ? static_cast<char>(code) : '_';
    else if (code >= 0xC0 && code <= 0xFF)
      label += kLatin1Letters[code - 0xC0];
    else if (code == 0x152 || code == 0x153)
      label += code == 0x152 ? "OE" : "oe";
  }
  if (label.empty()) return fallbackPrefix + std::to_string(position);
  if ((label[0] >= '0' && label[0] <= '9') || label[0] == '_') label = "L" + label;
  return label;
}

std::size_t ExportedSprites(const Project& data) { return std::min(data.sprites.size(), kMaxExportedRecords); }
std::size_t ExportedTileSets(const Project& data) { return NamedPrefix(data.tileSets); }
std::size_t ExportedNameTables(const Project& data) { return NamedPrefix(data.nameTables); }
std::size_t ExportedMaps(const Project& data) { return NamedPrefix(data.maps); }
std::size_t ExportedMetasprites(const Project& data) { return NamedPrefix(data.metasprites); }

ExportLabels LabelExportedRecords(const Project& data) {
  ExportLabels labels;
  // Each kind claims its own bases: its tables' suffixes keep them apart from the other kinds'.
  TakenLabels sprites, sets, tables, maps, metasprites;
  sets.labels.insert("sprite");  // "sprite_patterns" is all the sprites' table
  for (std::size_t i = 0; i < ExportedSprites(data); ++i)
    labels.sprites.push_back(Claim(sprites, MakeLabel(data.sprites[i].name, "Sprite_", i), labels.renamed));
  for (std::size_t i = 0; i < ExportedTileSets(data); ++i)
    labels.tileSets.push_back(Claim(sets, MakeLabel(data.tileSets[i].name, "TileSet_", i), labels.renamed));
  for (std::size_t i = 0; i < ExportedNameTables(data); ++i)
    labels.nameTables.push_back(Claim(tables, MakeLabel(data.nameTables[i].name, "NameTable_", i), labels.renamed));
  for (std::size_t i = 0; i < ExportedMaps(data); ++i)
    labels.maps.push_back(Claim(maps, MakeLabel(data.maps[i].name, "Map_", i), labels.renamed));
  for (std::size_t i = 0; i < ExportedMetasprites(data); ++i)
    labels.metasprites.push_back(
        Claim(metasprites, MakeLabel(data.metasprites[i].name, "Metasprite_", i), labels.renamed));
  return labels;
}
