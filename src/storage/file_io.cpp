#include "storage/file_io.h"

#include "storage/utf8_path.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

const char* DescribeFileResult(FileResult result) {
  switch (result) {
    case FileResult::Ok:
      return "done";
    case FileResult::CannotOpen:
      return "the file cannot be opened";
    case FileResult::NotProjectFile:
      return "it is not a project file";
    case FileResult::UnsupportedVersion:
      return "its version is not supported";
    case FileResult::TruncatedOrCorrupt:
      return "the file is truncated or corrupt";
    case FileResult::CannotWrite:
      return "the file cannot be written";
    case FileResult::IsAFolder:
      return "it is a folder";
    case FileResult::NoSuchFolder:
      return "its folder does not exist";
    case FileResult::UnusableName:
      return "Windows cannot use the name (a device's such as CON or LPT1, a name ending in a dot or a space, "
             "a character it forbids, or longer than it takes)";
  }
  return "unknown error";
}

// Plain C reads: a stream's buffer throws on some read errors (a folder, say).
FileResult ReadWholeFile(const std::string& named, std::vector<uint8_t>& contents) {
  contents.clear();
  std::error_code error;
  const std::filesystem::path path = Utf8Path(named);
  if (std::filesystem::is_directory(path, error)) return FileResult::CannotOpen;
  std::FILE* file = OpenFile(path, "rb");
  if (!file) return FileResult::CannotOpen;
  uint8_t buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.insert(contents.end(), buffer, buffer + got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) contents.clear();
  return failed ? FileResult::CannotOpen : FileResult::Ok;
}

namespace {
#ifdef _WIN32
constexpr bool kWindowsNames = true;
constexpr bool kTextModeTranslates = true;  // "\n" becomes "\r\n" on the way to the file
void SetStandardOutputMode(bool textMode) { _setmode(_fileno(stdout), textMode ? _O_TEXT : _O_BINARY); }
#else
constexpr bool kWindowsNames = false;
constexpr bool kTextModeTranslates = false;
void SetStandardOutputMode(bool) {}
#endif

// True when `path` is a file holding exactly `contents`.
bool AlreadyHolds(const std::filesystem::path& path, const std::string& contents) {
  std::FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  std::string held(contents.size() + 1, '\0');
  const std::size_t got = std::fread(&held[0], 1, held.size(), file);
  std::fclose(file);
  return got == contents.size() && held.compare(0, got, contents) == 0;
}

// Writes straight into what is already open to the bytes: standard output, a
// terminal, a pipe or a device, none of which can be replaced by a rename.
FileResult WriteInPlace(const std::filesystem::path& path, const std::string& contents, bool textMode) {
  const bool standardOutput = path == kStandardOutput;
  if (standardOutput) SetStandardOutputMode(textMode);
  std::FILE* file = standardOutput ? stdout : OpenFile(path, textMode ? "w" : "wb");
  if (!file) return FileResult::CannotWrite;
  const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  const bool flushed = standardOutput ? std::fflush(file) == 0 : std::fclose(file) == 0;
  return written && flushed ? FileResult::Ok : FileResult::CannotWrite;
}

// The file a save replaces: a link's target, so that the link stays a link. A
// link to nothing yet is written through, in place.
std::filesystem::path ReplacedFile(const std::filesystem::path& path, std::filesystem::file_status& status) {
  std::error_code error;
  status = std::filesystem::symlink_status(path, error);
  if (!std::filesystem::is_symlink(status)) return path;
  const std::filesystem::path target = std::filesystem::canonical(path, error);
  if (error) status = std::filesystem::file_status(std::filesystem::file_type::unknown);
  else status = std::filesystem::status(target, error);
  return error ? path : target;
}
}  // namespace

bool UsableOnWindows(const std::string& path) {
  constexpr std::size_t kLongestName = 255, kLongestPath = 32767;
  if (path.size() > kLongestPath) return false;
  std::size_t start = path.size() > 1 && path[1] == ':' ? 2 : 0;  // a drive letter's colon
  while (start < path.size()) {
    std::size_t end = path.find_first_of("/\\", start);
    if (end == std::string::npos) end = path.size();
    const std::string name = path.substr(start, end - start);
    start = end + 1;
    if (name.empty() || name == "." || name == "..") continue;
    if (name.size() > kLongestName || name.back() == '.' || name.back() == ' ') return false;
    for (unsigned char c : name)
      if (c < 32 || std::strchr("<>:\"|?*", c)) return false;
    // Device names are reserved whatever follows the dot: "con.h" is the console.
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return false;
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '1' &&
        stem[3] <= '9')
      return false;
  }
  return true;
}

FileResult ReplaceFile(const std::string& named, const std::string& contents, bool textMode) {
  if (named == kStandardOutput) return WriteInPlace(named, contents, textMode);
  if (kWindowsNames && !UsableOnWindows(named)) return FileResult::UnusableName;
  std::filesystem::file_status status;
  const std::filesystem::path path = ReplacedFile(Utf8Path(named), status);
  if (std::filesystem::is_directory(status)) return FileResult::IsAFolder;
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return WriteInPlace(path, contents, textMode);
  // A file that already holds the bytes only gets a new time: a build re-exports
  // hundreds of unchanged files, and replacing one costs far more than reading it.
  std::error_code error;
  if (!(textMode && kTextModeTranslates) && AlreadyHolds(path, contents)) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now(), error);
    if (!error) return FileResult::Ok;
  }
  if (const std::filesystem::path folder = path.parent_path();
      !folder.empty() && !std::filesystem::is_directory(folder, error))
    return FileResult::NoSuchFolder;
  std::filesystem::path temporary = path;
  temporary += ".saving";
  {
    std::ofstream out(temporary,
                      textMode ? std::ios::out | std::ios::trunc : std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out) return FileResult::CannotWrite;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    out.close();
    if (!out) {
      std::filesystem::remove(temporary, error);
      return FileResult::CannotWrite;
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return FileResult::CannotWrite;
  }
  return FileResult::Ok;
}
