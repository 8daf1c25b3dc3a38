// Any text as "config/editor.cfg": the tab order names each studio once, and
// what was read writes back to a file that reads the same.
#include <set>

#include "app/dialogs/file_dialog.h"
#include "app/emulator/emulator_session.h"
#include "app/shell/editor_config.h"
#include "app/shell/editor_tabs.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  editorSettings = EditorSettings{};
  lastDirectory = "/start";
  savedTabOrder.clear();
  ParseEditorConfig(std::string(reinterpret_cast<const char*>(data), size));
  for (int32_t id : savedTabOrder) FUZZ_CHECK(id >= 0 && id <= 3);
  RegisterEditorTabs();
  std::set<int32_t> ids;
  for (const EditorTab& tab : editorTabs) ids.insert(tab.id);
  FUZZ_CHECK(editorTabs.size() == 4 && ids.size() == 4);

  const EditorSettings read = editorSettings;
  const std::string written = FormatEditorConfig(read.windowX, read.windowY);
  const std::vector<EditorTab> order = editorTabs;
  savedTabOrder.clear();
  ParseEditorConfig(written);
  FUZZ_CHECK(editorSettings.windowX == read.windowX && editorSettings.windowY == read.windowY);
  FUZZ_CHECK(editorSettings.reservedSetting == read.reservedSetting);
  const Machine machine = emulator.machine;
  emulator.machine = Machine::Msx1;
  ParseEditorConfig(written);
  FUZZ_CHECK(emulator.machine == machine);
  RegisterEditorTabs();
  for (std::size_t i = 0; i < order.size(); ++i) FUZZ_CHECK(editorTabs[i].id == order[i].id);
  return 0;
}
