#include "storage/file_io.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
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

FileResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileResult::CannotOpen;
  contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() ? FileResult::CannotOpen : FileResult::Ok;
}

FileResult ReplaceFile(const std::string& path, const std::string& contents, bool textMode) {
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
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::remove(temporary.c_str());
    return FileResult::CannotWrite;
  }
  return FileResult::Ok;
}
