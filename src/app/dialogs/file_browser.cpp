#include "app/dialogs/file_browser.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/dialogs/file_names.h"

namespace fs = std::filesystem;

namespace {
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

bool Matches(const char* name, const char* pattern) {
  if (*pattern == 0) return *name == 0;
  if (*pattern == '*') return Matches(name, pattern + 1) || (*name && Matches(name + 1, pattern));
  if (*name == 0) return false;
  return (*pattern == '?' || Lower(*pattern) == Lower(*name)) && Matches(name + 1, pattern + 1);
}

void Choose(FileBrowserState& state, const fs::path& path) {
  state.chosenPath = path.string();
  state.outcome = BrowserOutcome::Chosen;
}
}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*") return true;  // every file, with or without a dot
  // "*.aseprite;*.ase": any of the list, as Windows' own dialog reads it.
  for (std::size_t start = 0;;) {
    const std::size_t end = pattern.find(';', start);
    if (Matches(name.c_str(), pattern.substr(start, end - start).c_str())) return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

FileBrowserState OpenFileBrowser(const FileFilters& filters, const std::string& directory, bool save) {
  FileBrowserState state;
  state.save = save;
  state.filters = filters;
  std::error_code error;
  state.directory = !directory.empty() && fs::is_directory(directory, error) ? fs::absolute(directory, error).string()
                                                                             : fs::current_path(error).string();
  RefreshListing(state);
  return state;
}

void RefreshListing(FileBrowserState& state) {
  state.folders.clear();
  state.files.clear();
  const std::string pattern =
      state.filterIndex < static_cast<int>(state.filters.size()) ? state.filters[state.filterIndex].pattern : "*.*";
  std::error_code error;
  for (fs::directory_iterator it(state.directory, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code kindError;
    if (it->is_directory(kindError))
      state.folders.push_back(name);
    else if (MatchesPattern(name, pattern))
      state.files.push_back(name);
  }
  std::sort(state.folders.begin(), state.folders.end(), LessIgnoringCase);
  std::sort(state.files.begin(), state.files.end(), LessIgnoringCase);
}

void EnterFolder(FileBrowserState& state, const std::string& name) {
  std::error_code error;
  const fs::path target = fs::path(state.directory) / name;
  if (!fs::is_directory(target, error)) return;
  state.directory = fs::weakly_canonical(target, error).string();
  state.message.clear();
  RefreshListing(state);
}

void GoUp(FileBrowserState& state) {
  const fs::path parent = fs::path(state.directory).parent_path();
  if (parent.empty() || parent == fs::path(state.directory)) return;
  state.directory = parent.string();
  state.message.clear();
  RefreshListing(state);
}

void ChooseFilter(FileBrowserState& state, int index) {
  if (index < 0 || index >= static_cast<int>(state.filters.size())) return;
  state.filterIndex = index;
  RefreshListing(state);
}

void PickFile(FileBrowserState& state, const std::string& name) {
  std::strncpy(state.fileName, name.c_str(), kFileNameCapacity - 1);
  state.fileName[kFileNameCapacity - 1] = 0;
  state.message.clear();
}

void ConfirmFileName(FileBrowserState& state) {
  if (state.fileName[0] == 0) {
    state.message = "Type a file name.";
    return;
  }
  const fs::path path = fs::path(state.directory) / state.fileName;  // an absolute name replaces the folder
  std::error_code error;
  if (fs::is_directory(path, error)) {
    state.directory = fs::weakly_canonical(path, error).string();
    state.fileName[0] = 0;
    state.message.clear();
    RefreshListing(state);
    return;
  }
  if (!state.save) {
    if (fs::is_regular_file(path, error)) return Choose(state, path);
    state.message = "No such file.";
    return;
  }
  if (!fs::is_directory(path.parent_path(), error)) {
    state.message = "No such folder.";
    return;
  }
  // The question is about the file that will really be written.
  const fs::path written = SavedPath(state);
  if (fs::exists(written, error)) {
    state.askOverwrite = true;
    return;
  }
  Choose(state, written);
}

void AnswerOverwrite(FileBrowserState& state, bool replace) {
  state.askOverwrite = false;
  if (replace) Choose(state, SavedPath(state));
}

fs::path SavedPath(const FileBrowserState& state) {
  const std::string typed = (fs::path(state.directory) / state.fileName).string();
  return fs::path(WithSaveExtension(typed, DefaultExtension(state.filters)));
}

std::string DefaultExtension(const FileFilters& filters) {
  if (filters.empty()) return "";
  const std::string pattern = filters.front().pattern;
  return pattern.rfind("*.", 0) == 0 && pattern != "*.*" ? pattern.substr(1) : "";
}

void CancelFileBrowser(FileBrowserState& state) {
  state.outcome = BrowserOutcome::Cancelled;
  state.chosenPath.clear();
}
