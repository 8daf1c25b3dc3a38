#include "storage/file_io.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

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
  }
  return "unknown error";
}

// Plain C reads: a stream's buffer throws on some read errors (a folder, say).
FileResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& contents) {
  contents.clear();
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return FileResult::CannotOpen;
  std::FILE* file = std::fopen(path.c_str(), "rb");
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
constexpr bool kTextModeTranslates = true;  // "\n" becomes "\r\n" on the way to the file
#else
constexpr bool kTextModeTranslates = false;
#endif

// True when `path` is a file holding exactly `contents`.
bool AlreadyHolds(const std::string& path, const std::string& contents) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::string held(contents.size() + 1, '\0');
  const std::size_t got = std::fread(&held[0], 1, held.size(), file);
  std::fclose(file);
  return got == contents.size() && held.compare(0, got, contents) == 0;
}
}  // namespace

FileResult ReplaceFile(const std::string& path, const std::string& contents, bool textMode) {
  // A file that already holds the bytes only gets a new time: a build re-exports
  // hundreds of unchanged files, and replacing one costs far more than reading it.
  std::error_code error;
  if (!(textMode && kTextModeTranslates) && AlreadyHolds(path, contents)) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now(), error);
    if (!error) return FileResult::Ok;
  }
  const std::string temporary = path + ".saving";
  {
    std::ofstream out(temporary,
                      textMode ? std::ios::out | std::ios::trunc : std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out) return FileResult::CannotWrite;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      return FileResult::CannotWrite;
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::remove(temporary.c_str());
    return FileResult::CannotWrite;
  }
  return FileResult::Ok;
}
