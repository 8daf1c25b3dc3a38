#include "export/export_labels.h"

#include <algorithm>
#include <map>
#include <set>

namespace {
bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// C's keywords, and names that start with "__", which compilers keep for
// themselves (SDCC's __at, __sfr...): such a label gets a letter more.
std::string CIdentifier(std::string label) {
  static const std::set<std::string> kKeywords = {
      "auto",     "break",     "case",           "char",         "const",      "continue", "default",  "do",
      "double",   "else",      "enum",           "extern",       "float",      "for",      "goto",     "if",
      "inline",   "int",       "long",           "register",     "restrict",   "return",   "short",    "signed",
      "sizeof",   "static",    "struct",         "switch",       "typedef",    "union",    "unsigned", "void",
      "volatile", "while",     "_Bool",          "_Complex",     "_Imaginary", "_Alignas", "_Alignof", "_Atomic",
      "_Generic", "_Noreturn", "_Static_assert", "_Thread_local"};
  if (kKeywords.count(label)) return label + "_";
  if (label.compare(0, 2, "__") == 0) return "L" + label;
  return label;
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

// Takes `label` (and its partner with `suffix`, when given) or the first free numbered form of it.
// Numbers below the last one given for a label were taken then and still are, so the search starts there.
std::string Claim(TakenLabels& taken, const std::string& label, const char* suffix, std::vector<std::string>& renamed) {
  auto free = [&](const std::string& candidate) {
    return !taken.labels.count(candidate) && (!suffix || !taken.labels.count(candidate + suffix));
  };
  std::string chosen = label;
  int& next = taken.nextNumber.emplace(label, 2).first->second;
  if (!free(chosen))
    for (chosen = label + "_" + std::to_string(next); !free(chosen); chosen = label + "_" + std::to_string(++next)) {
    }
  if (chosen != label) renamed.push_back(label + " -> " + chosen);
  taken.labels.insert(chosen);
  if (suffix) taken.labels.insert(chosen + suffix);
  return chosen;
}
}  // namespace

std::string MakeLabel(const char* name, const char* fallbackPrefix, std::size_t position) {
  std::string label;
  for (const char* c = name; *c && label.size() < kNameSize - 1; ++c) label += IsAsciiAlnum(*c) ? *c : '_';
  if (label.empty() || (label[0] >= '0' && label[0] <= '9')) label = fallbackPrefix + std::to_string(position);
  return label;
}

std::size_t ExportedSprites(const Project& data) { return std::min(data.sprites.size(), kMaxExportedRecords); }
std::size_t ExportedTileSets(const Project& data) { return NamedPrefix(data.tileSets); }
std::size_t ExportedNameTables(const Project& data) { return NamedPrefix(data.nameTables); }
std::size_t ExportedMaps(const Project& data) { return NamedPrefix(data.maps); }

ExportLabels LabelExportedRecords(const Project& data, bool cIdentifiers) {
  ExportLabels labels;
  TakenLabels taken;
  auto label = [cIdentifiers](const char* name, const char* prefix, std::size_t i) {
    const std::string made = MakeLabel(name, prefix, i);
    return cIdentifiers ? CIdentifier(made) : made;
  };
  for (std::size_t i = 0; i < ExportedSprites(data); ++i)
    labels.sprites.push_back(Claim(taken, label(data.sprites[i].name, "Sprite_", i), nullptr, labels.renamed));
  for (std::size_t i = 0; i < ExportedTileSets(data); ++i)
    labels.tileSets.push_back(Claim(taken, label(data.tileSets[i].name, "TileSet_", i), "_colors", labels.renamed));
  for (std::size_t i = 0; i < ExportedNameTables(data); ++i)
    labels.nameTables.push_back(Claim(taken, label(data.nameTables[i].name, "NameTable_", i), nullptr, labels.renamed));
  for (std::size_t i = 0; i < ExportedMaps(data); ++i)
    labels.maps.push_back(Claim(taken, label(data.maps[i].name, "Map_", i), "_metatiles", labels.renamed));
  return labels;
}
