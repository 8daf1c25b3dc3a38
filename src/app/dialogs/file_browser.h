#pragma once
// The in-window file browser that stands in for the system's dialogs: its
// state, the user's actions on it, and its drawing.

#include <filesystem>
#include <string>
#include <vector>

#include "app/dialogs/file_dialog.h"

constexpr std::size_t kFileNameCapacity = 260;

enum class BrowserOutcome { Pending, Chosen, Cancelled };

struct FileBrowserState {
  bool save = false;
  FileFilters filters;
  int filterIndex = 0;                    // the first pair is chosen
  std::string directory;                  // the folder shown
  std::vector<std::string> folders;       // in `directory`, sorted
  std::vector<std::string> files;         // matching the chosen filter, sorted
  char fileName[kFileNameCapacity] = {};  // as typed or picked
  std::string message;                    // why the last confirm was refused
  bool askOverwrite = false;              // waiting for the user to allow replacing a file
  bool focusFileName = true;              // the name field takes the keyboard when the browser opens
  BrowserOutcome outcome = BrowserOutcome::Pending;
  std::string chosenPath;
};

// True when `name` matches a pattern such as "*.krv" or "*.*", ignoring letter case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// Opens in `directory`, or in the working directory when that is not a folder.
FileBrowserState OpenFileBrowser(const FileFilters& filters, const std::string& directory, bool save);
void RefreshListing(FileBrowserState& state);
void EnterFolder(FileBrowserState& state, const std::string& name);
void GoUp(FileBrowserState& state);
void ChooseFilter(FileBrowserState& state, int index);
void PickFile(FileBrowserState& state, const std::string& name);
// Open accepts an existing file; Save asks before replacing one. A folder's name enters it.
void ConfirmFileName(FileBrowserState& state);
void AnswerOverwrite(FileBrowserState& state, bool replace);
// The path a Save writes: the typed name with the first filter's extension
// added by the rule the save commands use.
std::filesystem::path SavedPath(const FileBrowserState& state);
std::string DefaultExtension(const FileFilters& filters);  // ".krv" from "*.krv"; empty for "*.*"
void CancelFileBrowser(FileBrowserState& state);

// Draws the browser filling the display and applies what the user does.
void DrawFileBrowser(FileBrowserState& state);
