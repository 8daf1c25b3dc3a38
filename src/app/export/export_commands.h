#pragma once
// The editor's exports: a one-off export from the File > Export menu (which
// offers to keep it as a target), Export Again of every target, and the
// actions of the Export window that edits the project's targets.

#include <optional>
#include <string>
#include <vector>

#include "export/export_targets.h"
#include "model/export_target.h"

struct ExportWindowState {
  bool open = false;
  int32_t selected = -1;                // the target the window's lower part edits; -1 = none
  int32_t addFormat = 0;                // the format the Add button makes
  std::optional<ExportTarget> offered;  // a one-off export the user may keep as a target
};
extern ExportWindowState exportWindow;

// The current file's folder, which targets' relative paths start from; "" when untitled.
std::string ProjectFolder();

// Asks where, writes, shows the result and offers to keep it as a target.
void ExportOnce(ExportFormat format);
// Writes every target in order, stopping at the first that fails.
void ExportAgain();
void ExportTargetAt(int index);

void AddExportTarget(ExportWindowState& state, std::vector<ExportTarget>& targets, ExportFormat format);
void RemoveExportTarget(ExportWindowState& state, std::vector<ExportTarget>& targets);
// The selected target moves one place up (-1) or down (+1) and stays selected.
void MoveExportTarget(ExportWindowState& state, std::vector<ExportTarget>& targets, int step);
void KeepOfferedTarget(ExportWindowState& state, std::vector<ExportTarget>& targets);
// Asks for the target's file or folder, stored relative to the project when under it.
void ChooseTargetPath(ExportTarget& target);

// "all records; patterns, colours, names, sprites"
std::string DescribeTargetTakes(const ExportTarget& target);
// The result line of written files and their notes.
std::string DescribeOutcome(const std::string& what, const ExportOutcome& outcome);
