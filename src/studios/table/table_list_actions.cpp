#include "studios/table/table_list_actions.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "import/clipboard_parsers.h"
#include "model/list_order.h"

namespace {
constexpr std::size_t kScreenBytes = kTableCells;

bool IsLoneDefaultTable(const std::vector<NameTable>& tables) {
  return tables.size() == 1 && std::strcmp(tables[0].name, "Name Table 1") == 0;
}

bool AllCellsZero(const NameTable& table) {
  return std::all_of(std::begin(table.cells), std::end(table.cells), [](uint8_t cell) { return cell == 0; });
}

// Writes up to one screen of bytes from `bytes` into `table`; cells past the end keep their value.
void FillCells(NameTable& table, const std::string& name, const uint8_t* bytes, std::size_t count) {
  SetName(table.name, name.c_str());
  std::copy_n(bytes, std::min(count, kScreenBytes), table.cells);
}

// `shortNote` says which screens held fewer than 768 bytes ("" when none did).
std::string Summary(std::size_t count, bool stopped, const std::string& shortNote = "") {
  if (count == 0 && !stopped) return "No name table data found: 768 bytes per screen are needed";
  return "Imported " + std::to_string(count) + (count == 1 ? " name table" : " name tables") +
         (stopped ? ", stopped at 256 name tables" : "") + shortNote;
}

// Notes a screen of `bytes` < 768 bytes: the first by name and size, later ones by count.
void NoteShortScreen(std::string& note, int& shortScreens, const std::string& name, std::size_t bytes) {
  if (++shortScreens == 1)
    note = "; \"" + name + "\" had " + std::to_string(bytes) + " of 768 bytes: cells " + std::to_string(bytes) +
           " to 767 were not written";
  else
    note = "; " + std::to_string(shortScreens) + " screens had fewer than 768 bytes: their other cells were not written";
}

void AppendTable(TableStudioState& state, std::vector<NameTable>& tables, const std::string& name, const uint8_t* bytes,
                 std::size_t count) {
  tables.emplace_back();
  FillCells(tables.back(), name, bytes, count);
  state.currentNameTable = static_cast<int>(tables.size()) - 1;
}
}  // namespace

void AddNameTable(TableStudioState& state, std::vector<NameTable>& tables) {
  const std::size_t count = tables.size();
  if (count >= kMaxNameTablesByAdd) return;
  tables.emplace_back();
  FormatName(tables.back().name, "Name Table %d", static_cast<int>(count) + 1);
  state.currentNameTable = static_cast<int>(count);
}

void DeleteNameTable(TableStudioState& state, std::vector<NameTable>& tables) {
  if (tables.empty()) return;
  if (tables.size() == 1) return ClearNameTables(state, tables);
  tables.erase(tables.begin() + state.currentNameTable);
  if (state.currentNameTable >= static_cast<int>(tables.size()))
    state.currentNameTable = static_cast<int>(tables.size()) - 1;
}

void ClearNameTables(TableStudioState& state, std::vector<NameTable>& tables) {
  tables.clear();
  tables.push_back(DefaultNameTable());
  state.currentNameTable = 0;
}

void MoveNameTable(TableStudioState& state, std::vector<NameTable>& tables, int from, int to) {
  if (MoveRecord(tables, from, to)) state.currentNameTable = to;
}

std::string ImportNameTablesToken(TableStudioState& state, std::vector<NameTable>& tables, const char* text) {
  std::size_t count = 0;
  if (!text) return Summary(count, false);
  bool tookOver = false;
  std::string shortNote;
  int shortScreens = 0;
  for (const ImportBlock& block : ParseTokenImport(text)) {
    for (std::size_t offset = 0; offset < block.bytes.size(); offset += kScreenBytes, ++count) {
      if (tables.size() >= kMaxNameTablesByImport) return Summary(count, true, shortNote);
      const std::string name =
          offset == 0 ? block.name : block.name + " (" + std::to_string(offset / kScreenBytes + 1) + ")";
      const uint8_t* bytes = &block.bytes[offset];
      if (block.bytes.size() - offset < kScreenBytes)
        NoteShortScreen(shortNote, shortScreens, name, block.bytes.size() - offset);
      if (!tookOver && IsLoneDefaultTable(tables)) {
        FillCells(tables[0], name, bytes, block.bytes.size() - offset);
        tookOver = true;
        state.currentNameTable = 0;
      } else {
        AppendTable(state, tables, name, bytes, block.bytes.size() - offset);
      }
    }
  }
  return Summary(count, false, shortNote);
}

std::string ImportNameTablesRawHex(TableStudioState& state, std::vector<NameTable>& tables, const char* text) {
  std::size_t imported = 0;
  if (!text) return Summary(imported, false);
  const std::vector<uint8_t> bytes = ParseRawHexImport(text);
  bool tookOver = false;
  for (std::size_t offset = 0; offset + kScreenBytes <= bytes.size(); offset += kScreenBytes, ++imported) {
    if (tables.size() >= kMaxNameTablesByImport) return Summary(imported, true);
    const std::size_t count = tables.size();
    const std::string name = "Imported " + std::to_string(tookOver ? count + 1 : count);
    if (!tookOver && tables.size() == 1 && (AllCellsZero(tables[0]) || IsLoneDefaultTable(tables))) {
      FillCells(tables[0], name, &bytes[offset], kScreenBytes);
      tookOver = true;
      state.currentNameTable = 0;
    } else {
      AppendTable(state, tables, name, &bytes[offset], kScreenBytes);
    }
  }
  return Summary(imported, false);
}
