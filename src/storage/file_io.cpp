#include "storage/file_io.h"

#include "storage/utf8_path.h"

#include <cstdio>
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
constexpr bool kTextModeTranslates = true;  // "\n" becomes "\r\n" on the way to the file
void SetStandardOutputMode(bool textMode) { _setmode(_fileno(stdout), textMode ? _O_TEXT : _O_BINARY); }
#else
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

FileResult ReplaceFile(const std::string& named, const std::string& contents, bool textMode) {
  if (named == kStandardOutput) return WriteInPlace(named, contents, textMode);
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
