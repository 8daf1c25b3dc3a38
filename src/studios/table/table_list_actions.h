#pragma once
// Commands on the list of name tables, and the clipboard imports that turn
// 768-byte screens into name tables.

#include <string>
#include <vector>

#include "model/project.h"
#include "studios/table/table_studio_state.h"

// Appends "Name Table <count + 1>" and makes it current; nothing at 255 tables.
void AddNameTable(TableStudioState& state, std::vector<NameTable>& tables);
// Removes the current table; the only table is replaced by a fresh "Name Table 1".
void DeleteNameTable(TableStudioState& state, std::vector<NameTable>& tables);
void ClearNameTables(TableStudioState& state, std::vector<NameTable>& tables);
// The table at `from` ends up at index `to` and becomes current.
void MoveNameTable(TableStudioState& state, std::vector<NameTable>& tables, int from, int to);

// Each block gives a table per 768 bytes ("bg", "bg (2)"...); a short last piece
// leaves its other cells empty. A lone untouched "Name Table 1" is taken over.
std::string ImportNameTablesToken(TableStudioState& state, std::vector<NameTable>& tables, const char* text);
// Whole screens of hex pairs only, named "Imported N"; a lone "Name Table 1" or
// all-zero table is taken over. Both imports stop at 256 tables.
std::string ImportNameTablesRawHex(TableStudioState& state, std::vector<NameTable>& tables, const char* text);
