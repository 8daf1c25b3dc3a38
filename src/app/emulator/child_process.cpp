#include "app/emulator/child_process.h"

#include <cstdlib>
#include <filesystem>

#include "storage/utf8_path.h"

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  const std::string folders = path;
#ifdef _WIN32
  const char separator = ';';
  const std::string file = name + ".exe";
#else
  const char separator = ':';
  const std::string& file = name;
#endif
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(separator, start);
    if (end == std::string::npos) end = folders.size();
    const std::filesystem::path candidate = Utf8Path(folders.substr(start, end - start)) / file;
    std::error_code error;
    if (end > start && std::filesystem::is_regular_file(candidate, error)) return Utf8Text(candidate);
    start = end + 1;
  }
  return {};
}

std::string WindowsCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
      line += argument;
      continue;
    }
    // Backslashes count only before a quote: there they are doubled, and the quote escaped.
    line += '"';
    std::size_t backslashes = 0;
    for (char c : argument) {
      if (c == '\\') {
        ++backslashes;
        continue;
      }
      line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
      backslashes = 0;
      line += c;
    }
    line.append(2 * backslashes, '\\');
    line += '"';
  }
  return line;
}
