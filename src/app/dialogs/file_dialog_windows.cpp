// The system's Open and Save dialogs, in their wide forms so that any file name comes back.
#ifdef _WIN32
#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include <string>

#include "app/dialogs/file_dialog.h"
#include "storage/utf8_windows.h"

void SetFileDialogHost(SdlScreen*) {}

std::string PlatformFileDialog(const FileFilters& filters, const std::string& initialDirectory, bool save) {
  std::wstring filterText;  // each text ends in a zero, the list in a second one
  for (const FileFilter& filter : filters) {
    filterText.append(WideFromUtf8(filter.description)).push_back(L'\0');
    filterText.append(WideFromUtf8(filter.pattern)).push_back(L'\0');
  }
  filterText.push_back(L'\0');
  const std::wstring folder = WideFromUtf8(initialDirectory);

  wchar_t fileName[32768] = {};  // the longest path Windows takes
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = nullptr;
  dialog.lpstrFilter = filterText.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName;
  dialog.nMaxFile = sizeof fileName / sizeof fileName[0];
  dialog.lpstrInitialDir = folder.c_str();
  if (save) {
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    return GetSaveFileNameW(&dialog) ? Utf8FromWide(fileName) : std::string();
  }
  dialog.Flags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  return GetOpenFileNameW(&dialog) ? Utf8FromWide(fileName) : std::string();
}
#endif
