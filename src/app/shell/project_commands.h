#pragma once
// The file commands behind the menu and the shortcuts: the current file, Save
// and Save As, New and Load guarded by "Save changes?", Exit, the recent files,
// and undo and redo with the record they changed made current again.

#include <string>
#include <vector>

#include "app/dialogs/file_dialog.h"
#include "storage/file_io.h"

constexpr std::size_t kRecentFileLimit = 8;

// What waits for the answer to "Save changes to ...?".
enum class GuardedCommand { None, New, Load, Exit };

struct ProjectSession {
  std::string currentPath;               // the open project's file; empty = untitled
  std::vector<std::string> recentFiles;  // newest first
  GuardedCommand pending = GuardedCommand::None;
  std::string pendingPath;   // the file a pending Load opens; empty = ask
  std::string errorMessage;  // a failed file command, shown until dismissed
  bool quit = false;         // Exit went through: the loop ends after this frame
};
extern ProjectSession session;

// "level.krv* - Tessellary"; "untitled - Tessellary" without a current file.
std::string WindowTitle(const ProjectSession& s, bool unsaved);
bool ProjectHasUnsavedChanges();

// The file dialog, opening where the last one was answered; a save's path gets
// `extension` by the save rule. Empty when the user cancels.
std::string AskForPath(const FileFilters& filters, bool save, const char* extension);

// Each asks "Save changes?" first when there are unsaved changes.
void RequestNewProject();
void RequestLoadProject(const std::string& path = "");  // empty: ask with the dialog
void RequestExit();
enum class SaveAnswer { Save, DontSave, Cancel };
// Save goes on with the pending command only once the project is saved;
// Don't Save goes on without saving; Cancel drops the command.
void AnswerSaveChanges(SaveAnswer answer);

// The guarded commands themselves, once nothing unsaved is in the way.
void NewProject();
void OpenProjectFile(const std::string& path);  // a failure shows its error and changes nothing
// Save writes the current file, or asks like Save As when there is none.
// False when the user cancels or the write fails (the error is then shown).
bool SaveProjectCommand();
bool SaveProjectAsCommand();
// A failed file command's error, shown until dismissed ("Could not save ...").
void ReportFileFailure(const char* action, const std::string& path, FileResult result);

void RememberRecentFile(std::vector<std::string>& recent, const std::string& path);
void ForgetRecentFile(std::vector<std::string>& recent, const std::string& path);

void UndoCommand();
void RedoCommand();
// A text field is being typed in now (not, as io.WantTextInput says, last frame).
bool TextFieldActive();
// Records what the frame changed unless a stroke or a text field is still going on.
void RecordFrameEdits();
