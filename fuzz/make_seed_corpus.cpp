// Writes the binary seeds the fuzz targets start from, made by the editor's
// own code so they are always in the current format.
// Usage: make_seed_corpus <corpus folder>
#include <filesystem>
#include <fstream>

#include "app/editor_config.h"
#include "app/editor_tabs.h"
#include "app/file_dialog.h"
#include "storage/project_file.h"

namespace {
void Write(const std::filesystem::path& path, const std::string& contents) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << contents;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  const std::filesystem::path corpus = argv[1];
  ResetProject();
  Write(corpus / "project_loader" / "new.krv", SerializeProject(sprites(), tileSets, nameTables));

  std::vector<Sprite> twoSprites(2, DefaultSprite());
  twoSprites[1].pixels[3][4] = 1;
  twoSprites[1].colour = 9;
  std::vector<NameTable> tables(2, DefaultNameTable());
  tables[1].placements = {{0, 10.5f, 20.25f}, {5, -3, 900}};
  Write(corpus / "project_loader" / "no_tile_sets.krv", SerializeProject(twoSprites, {}, tables));

  savedTabOrder = {2, 0};
  RegisterEditorTabs();
  lastDirectory = "/home/user/games";
  editorSettings.reservedSetting = 9;
  Write(corpus / "editor_config" / "written.cfg", FormatEditorConfig(100, 50));
  return 0;
}
