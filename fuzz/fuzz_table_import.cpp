// Name-table imports from any clipboard text: at most 256 tables, names keep
// their zero, placements of a taken-over table stay, and the current table exists.
#include <algorithm>
#include <memory>

#include "fuzz_checks.h"
#include "studios/table/table_list_actions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  auto state = std::make_unique<TableStudioState>();
  std::vector<NameTable> tables(1 + data[0] % 3, DefaultNameTable());
  tables[0].placements.push_back({0, 1.5f, 2.5f});
  if (data[0] & 0x40) std::fill(std::begin(tables[0].cells), std::end(tables[0].cells), 0);
  const std::string text = TextOf(data + 1, size - 1);
  if (data[0] & 0x80)
    ImportNameTablesRawHex(*state, tables, text.c_str());
  else
    ImportNameTablesToken(*state, tables, text.c_str());
  FUZZ_CHECK(tables.size() <= 256);
  FUZZ_CHECK(tables[0].placements.size() == 1);
  FUZZ_CHECK(state->currentNameTable >= 0 && state->currentNameTable < static_cast<int>(tables.size()));
  for (const NameTable& table : tables) FUZZ_CHECK(NameEnds(table.name));
  return 0;
}
