#include "app/shell/settings_folder.h"

#include <cstdlib>
#include <filesystem>

#include "storage/utf8_path.h"

std::string settingsFolder = "config";

std::string ChooseSettingsFolder() {
  std::error_code error;
  return std::filesystem::is_directory(Utf8Path("config"), error) ? "config" : UserSettingsFolder();
}

#ifdef _WIN32
std::string UserSettingsFolder() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  return appData && *appData ? Utf8Text(std::filesystem::path(appData) / "Tessellary") : "config";
}
#else
namespace {
// An environment variable that is set and not empty.
const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}
}  // namespace

std::string UserSettingsFolder() {
  if (const char* config = Variable("XDG_CONFIG_HOME")) return std::string(config) + "/tessellary";
  if (const char* home = Variable("HOME")) return std::string(home) + "/.config/tessellary";
  return "config";
}
#endif
