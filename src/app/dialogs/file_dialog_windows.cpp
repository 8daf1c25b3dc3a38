// The system's Open and Save dialogs.
#ifdef _WIN32
#include <commdlg.h>
#include <windows.h>

#include <string>

#include "app/dialogs/file_dialog.h"

void SetFileDialogHost(SdlScreen*) {}

std::string PlatformFileDialog(const FileFilters& filters, const std::string& initialDirectory, bool save) {
  std::string filterText;  // each text ends in a zero, the list in a second one
  for (const FileFilter& filter : filters) {
    filterText.append(filter.description).push_back('\0');
    filterText.append(filter.pattern).push_back('\0');
  }
  filterText.push_back('\0');

  char fileName[MAX_PATH] = {};
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = nullptr;
  dialog.lpstrFilter = filterText.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = initialDirectory.c_str();
  if (save) {
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    return GetSaveFileNameA(&dialog) ? std::string(fileName) : std::string();
  }
  dialog.Flags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  return GetOpenFileNameA(&dialog) ? std::string(fileName) : std::string();
}
#endif
