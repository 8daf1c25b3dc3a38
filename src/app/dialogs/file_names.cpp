#include "app/dialogs/file_names.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "storage/utf8_path.h"

namespace {
constexpr const char* kProjectExtension = ".krv";

bool EndsWithIgnoringCase(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         std::equal(ending.rbegin(), ending.rend(), text.rbegin(),
                    [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}
}  // namespace

std::string FileExtension(const std::string& path) { return Utf8Text(Utf8Path(path).extension()); }

std::string WithProjectExtension(const std::string& path) {
  return FileExtension(path) == kProjectExtension ? path : path + kProjectExtension;
}

std::string WithExportExtension(const std::string& path, const std::string& extension) {
  return EndsWithIgnoringCase(path, extension) ? path : path + extension;
}

std::string WithSaveExtension(const std::string& path, const std::string& extension) {
  if (extension.empty()) return path;
  return extension == kProjectExtension ? WithProjectExtension(path) : WithExportExtension(path, extension);
}

std::string ParentDirectory(const std::string& path) { return Utf8Text(Utf8Path(path).parent_path()); }

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(Utf8Path(path), error);
  return error ? path : Utf8Text(absolute.lexically_normal());
}
