#include "app/export/export_commands.h"

#include <filesystem>

#include "app/shell/project_commands.h"
#include "model/history.h"
#include "model/list_order.h"
#include "storage/utf8_path.h"
#include "widgets/notice.h"

ExportWindowState exportWindow;

namespace {
struct FormatDialog {
  const FileFilters* filters;
  const char* extension;
};

FormatDialog DialogFor(ExportFormat format) {
  switch (format) {
    case ExportFormat::CHeader:
      return {&kCHeaderFilters, ".h"};
    case ExportFormat::CvBasic:
    case ExportFormat::MsxBasic:
      return {&kBasicFilters, ".bas"};
    case ExportFormat::Ti99:
      return {&kTiFilters, ".a99"};
    case ExportFormat::BinaryTables:
    case ExportFormat::Screen2:
    case ExportFormat::Png:
    case ExportFormat::TiledMaps:
      return {&kFolderFilters, ""};
    case ExportFormat::SpriteAttributes:
      return {&kSpriteAttributeFilters, ".asm"};
    case ExportFormat::Aseprite:
      return {&kAsepriteFilters, ".aseprite"};
    case ExportFormat::Assembly:
      break;
  }
  return {&kAssemblyFilters, ".asm"};
}

// A folder format's dialog names a file in the folder that gets the files.
std::string AskTargetPath(ExportFormat format) {
  const FormatDialog dialog = DialogFor(format);
  const std::string path = AskForPath(*dialog.filters, true, dialog.extension);
  if (path.empty() || !IsFolderFormat(format)) return path;
  std::error_code error;
  return std::filesystem::is_directory(Utf8Path(path), error) ? path : Utf8Text(Utf8Path(path).parent_path());
}

std::string TargetName(const ExportTarget& target) { return ExportFormatName(target) + " " + target.path; }
}  // namespace

std::string ProjectFolder() {
  return session.currentPath.empty() ? "" : Utf8Text(Utf8Path(session.currentPath).parent_path());
}

std::string DescribeOutcome(const std::string& what, const ExportOutcome& outcome) {
  std::string text = what + ": " + std::to_string(outcome.written.size()) +
                     (outcome.written.size() == 1 ? " file written" : " files written");
  if (outcome.written.size() == 1) text += " (" + Utf8Text(Utf8Path(outcome.written[0]).filename()) + ")";
  for (const std::string& note : outcome.notes) text += "\n  " + note;
  for (const std::string& line : DescribePacking(outcome.packed)) text += "\n  " + line;
  return text;
}

void ExportOnce(ExportFormat format) {
  ExportTarget target = DefaultExportTarget(format);
  target.path = AskTargetPath(format);
  if (target.path.empty()) return;
  const ExportOutcome outcome = WriteExportTarget(project, target, "", false);
  if (!outcome.error.empty()) {
    session.errorMessage = "Could not export " + ExportFormatName(target) + ":\n" + outcome.error + ".";
    return;
  }
  ShowNotice(DescribeOutcome("Exported " + ExportFormatName(target), outcome));
  target.path = StoreTargetPath(target.path, ProjectFolder());
  exportWindow.offered = target;
}

void ExportTargetAt(int index) {
  const ExportTarget& target = project.exportTargets[index];
  const ExportOutcome outcome = WriteExportTarget(project, target, ProjectFolder(), true);
  if (!outcome.error.empty())
    session.errorMessage = "Could not export " + TargetName(target) + ":\n" + outcome.error + ".";
  else
    ShowNotice(DescribeOutcome("Exported " + TargetName(target), outcome));
}

void ExportAgain() {
  if (project.exportTargets.empty()) {
    ShowNotice("No export targets yet: add them in File > Export...");
    return;
  }
  if (const std::string shared = TargetsSharingAPath(project.exportTargets); !shared.empty()) {
    session.errorMessage = "Export Again wrote nothing: " + shared + ".";
    return;
  }
  ExportOutcome all;
  for (const ExportTarget& target : project.exportTargets) {
    const ExportOutcome outcome = WriteExportTarget(project, target, ProjectFolder(), true);
    all.written.insert(all.written.end(), outcome.written.begin(), outcome.written.end());
    all.packed.insert(all.packed.end(), outcome.packed.begin(), outcome.packed.end());
    for (const std::string& note : outcome.notes)
      if (std::find(all.notes.begin(), all.notes.end(), note) == all.notes.end()) all.notes.push_back(note);
    if (!outcome.error.empty()) {
      session.errorMessage = "Export Again stopped at " + TargetName(target) + ":\n" + outcome.error + ".\n" +
                             std::to_string(all.written.size()) + " files were written before it.";
      return;
    }
  }
  ShowNotice(DescribeOutcome("Exported " + std::to_string(project.exportTargets.size()) + " targets", all));
}

void AddExportTarget(ExportWindowState& state, std::vector<ExportTarget>& targets, ExportFormat format) {
  ExportTarget target = DefaultExportTarget(format);
  static const char* const kNames[kExportFormats] = {
      "gfx.asm", "gfx.h",       "gfx.bas", "gfx-msx.bas",         "gfx.a99", "bin", "screens",
      "png",     "sprites.asm", "tiled",   "metasprites.aseprite"};
  target.path = FreeTargetPath(targets, kNames[static_cast<int>(format)]);
  targets.push_back(target);
  state.selected = static_cast<int>(targets.size()) - 1;
  NameNextEdit("add export target");
}

void RemoveExportTarget(ExportWindowState& state, std::vector<ExportTarget>& targets) {
  if (state.selected < 0 || state.selected >= static_cast<int>(targets.size())) return;
  targets.erase(targets.begin() + state.selected);
  state.selected = std::min(state.selected, static_cast<int>(targets.size()) - 1);
  NameNextEdit("remove export target");
}

void MoveExportTarget(ExportWindowState& state, std::vector<ExportTarget>& targets, int step) {
  if (!MoveRecord(targets, state.selected, state.selected + step)) return;
  state.selected += step;
  NameNextEdit("move export target");
}

void KeepOfferedTarget(ExportWindowState& state, std::vector<ExportTarget>& targets) {
  if (!state.offered) return;
  targets.push_back(*state.offered);
  state.offered.reset();
  NameNextEdit("keep export target");
}

void ChooseTargetPath(ExportTarget& target) {
  const std::string path = AskTargetPath(target.format);
  if (path.empty()) return;
  target.path = StoreTargetPath(path, ProjectFolder());
  NameNextEdit("export target path");
}

std::string DescribeTargetTakes(const ExportTarget& target) {
  std::string text = target.allRecords ? "all records" : "chosen records";
  static const char* const kTables[kExportTableKinds] = {"patterns",   "colours", "names",      "sprites",
                                                         "attributes", "maps",    "metasprites"};
  std::string tables;
  for (int bit = 0; bit < kExportTableKinds; ++bit)
    if (target.tables & (1u << bit)) tables += (tables.empty() ? "" : ", ") + std::string(kTables[bit]);
  return text + "; " + (tables.empty() ? "no tables" : tables);
}
