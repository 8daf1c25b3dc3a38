#pragma once
// The one way the editor asks the user for a file: the system's dialogs on
// Windows, an in-window file browser elsewhere. Blocks until answered and
// never changes the working directory.

#include <string>
#include <vector>

struct SdlScreen;

struct FileFilter {
  const char* description;  // "KRV Project (*.krv)"
  const char* pattern;      // "*.krv"
};
using FileFilters = std::vector<FileFilter>;

extern const FileFilters kLoadProjectFilters;
extern const FileFilters kSaveProjectFilters;
extern const FileFilters kAssemblyFilters;
extern const FileFilters kBasicFilters;
extern const FileFilters kCHeaderFilters;
extern const FileFilters kTiFilters;
extern const FileFilters kSpriteAttributeFilters;
extern const FileFilters kFolderFilters;  // outputs of several files: any name in the folder that gets them
extern const FileFilters kPngFilters;
extern const FileFilters kScreenFileFilters;
extern const FileFilters kTiledMapFilters;
extern const FileFilters kAsepriteFilters;

// The folder every file dialog opens in: the working directory at start-up,
// then what the configuration or File > Load Project makes it.
extern std::string lastDirectory;

using FileDialogFunction = std::string (*)(const FileFilters& filters, const std::string& initialDirectory, bool save);
// The dialog that ShowFileDialog runs; tests put their own answer here.
extern FileDialogFunction fileDialogFunction;

// The chosen path, or empty text when the user cancels or no dialog can be shown.
std::string ShowFileDialog(const FileFilters& filters, const std::string& initialDirectory, bool save);

// Where the in-window browser draws; without a host no dialog can be shown.
void SetFileDialogHost(SdlScreen* screen);
