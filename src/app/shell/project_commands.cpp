#include "app/shell/project_commands.h"

#include <algorithm>
#include <filesystem>

#include "app/dialogs/file_dialog.h"
#include "app/dialogs/file_names.h"
#include "chip/group_colours.h"
#include "imgui.h"
#include "imgui_internal.h"
#include "model/history.h"
#include "storage/project_file.h"
#include "storage/utf8_path.h"
#include "studios/map/map_studio_state.h"
#include "studios/sprite/sprite_studio_state.h"
#include "studios/table/table_studio_state.h"
#include "studios/tile/tile_studio_state.h"
#include "widgets/notice.h"

ProjectSession session;

std::string AskForPath(const FileFilters& filters, bool save, const char* extension) {
  const std::string chosen = ShowFileDialog(filters, lastDirectory, save);
  if (chosen.empty()) return chosen;
  lastDirectory = ParentDirectory(chosen);
  return save ? WithSaveExtension(chosen, extension) : chosen;
}

void ReportFileFailure(const char* action, const std::string& path, FileResult result) {
  if (result == FileResult::Ok) return;
  session.errorMessage = std::string("Could not ") + action + " \"" + path + "\":\n" + DescribeFileResult(result) + ".";
}

namespace {

bool SaveTo(const std::string& path) {
  const FileResult result = SaveProject(path);
  ReportFileFailure("save", path, result);
  if (result != FileResult::Ok) return false;
  session.currentPath = path;
  MarkSaved(history);
  RememberRecentFile(session.recentFiles, path);
  return true;
}

void LoadWithDialog() {
  const std::string path = AskForPath(kLoadProjectFilters, false, "");
  // Only ".krv" files load, letter case included; another choice does nothing.
  if (!path.empty() && FileExtension(path) == ".krv") OpenProjectFile(path);
}

void RunGuarded(GuardedCommand command, const std::string& path) {
  switch (command) {
    case GuardedCommand::New:
      NewProject();
      break;
    case GuardedCommand::Load:
      if (path.empty())
        LoadWithDialog();
      else
        OpenProjectFile(path);
      break;
    case GuardedCommand::Exit:
      session.quit = true;
      break;
    case GuardedCommand::None:
      break;
  }
}

void Guard(GuardedCommand command, const std::string& path) {
  if (ProjectHasUnsavedChanges()) {
    session.pending = command;
    session.pendingPath = path;
    return;
  }
  RunGuarded(command, path);
}

// After an undo or redo the user sees the record that changed.
void ShowChangedRecords(const ChangedRecords& changed) {
  if (changed.tileSet >= 0) tileStudio.currentTileSet = changed.tileSet;
  if (changed.sprite >= 0) spriteStudio.selectedSprite = changed.sprite;
  if (changed.nameTable >= 0) tableStudio.currentNameTable = changed.nameTable;
  if (changed.map >= 0) mapStudio.currentMap = changed.map;
}

}  // namespace

bool TextFieldActive() {
  const ImGuiContext& g = *ImGui::GetCurrentContext();
  return g.ActiveId != 0 && g.InputTextState.ID == g.ActiveId;
}

std::string WindowTitle(const ProjectSession& s, bool unsaved) {
  const std::string name = s.currentPath.empty() ? "untitled" : Utf8Text(Utf8Path(s.currentPath).filename());
  return name + (unsaved ? "*" : "") + " - Tessellary";
}

bool ProjectHasUnsavedChanges() { return HasUnsavedChanges(history); }

void RequestNewProject() { Guard(GuardedCommand::New, ""); }

void RequestLoadProject(const std::string& path) { Guard(GuardedCommand::Load, path); }

void RequestExit() { Guard(GuardedCommand::Exit, ""); }

void AnswerSaveChanges(SaveAnswer answer) {
  const GuardedCommand command = session.pending;
  const std::string path = session.pendingPath;
  session.pending = GuardedCommand::None;
  session.pendingPath.clear();
  if (answer == SaveAnswer::Cancel || (answer == SaveAnswer::Save && !SaveProjectCommand())) return;
  RunGuarded(command, path);
}

void NewProject() {
  RecordChanges(history, project, tileStudio.canvas);
  ResetProject();
  NameNextEdit("New Project");
  RecordChanges(history, project, tileStudio.canvas);
  session.currentPath.clear();
  MarkSaved(history);  // a fresh untitled project has nothing to save
  ShowNotice("A new project (Ctrl+Z brings the last one back)");
}

void OpenProjectFile(const std::string& path) {
  const FileResult result = LoadProject(path);
  ReportFileFailure("load", path, result);
  if (result != FileResult::Ok) {
    if (result == FileResult::CannotOpen) ForgetRecentFile(session.recentFiles, path);
    return;
  }
  session.currentPath = AbsolutePath(path);
  lastDirectory = ParentDirectory(session.currentPath);
  RememberRecentFile(session.recentFiles, path);
  StartHistory(history, project, tileStudio.canvas);
  if (const std::string note = UnknownPaletteNote(project.palette); !note.empty()) ShowNotice("Loaded: " + note);
}

bool SaveProjectCommand() {
  if (session.currentPath.empty()) return SaveProjectAsCommand();
  return SaveTo(session.currentPath);
}

bool SaveProjectAsCommand() {
  const std::string path = AskForPath(kSaveProjectFilters, true, ".krv");
  return !path.empty() && SaveTo(path);
}

void RememberRecentFile(std::vector<std::string>& recent, const std::string& path) {
  const std::string stored = AbsolutePath(path);  // works when the editor starts elsewhere
  ForgetRecentFile(recent, stored);
  recent.insert(recent.begin(), stored);
  if (recent.size() > kRecentFileLimit) recent.resize(kRecentFileLimit);
}

void ForgetRecentFile(std::vector<std::string>& recent, const std::string& path) {
  recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
}

void UndoCommand() { ShowChangedRecords(Undo(history, project, tileStudio.canvas)); }

void RedoCommand() { ShowChangedRecords(Redo(history, project, tileStudio.canvas)); }

void RecordFrameEdits() {
  if (ImGui::IsAnyMouseDown() || TextFieldActive()) return;
  if (const std::string followed = KeepGroupColours(project, history.baseline); !followed.empty()) ShowNotice(followed);
  RecordChanges(history, project, tileStudio.canvas);
}
