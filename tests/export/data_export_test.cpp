#include "export/data_export.h"

#include <gtest/gtest.h>

#include <vector>

#include "export/export_labels.h"
#include "model/project.h"
#include "support/project_fixtures.h"

TEST(DataExport, BothFormatsKeepTheirLayoutByteForByte) {
  MakeRichProject();
  const std::string assembly = ExportText(project, kPasmoDialect);
  const std::string basic = ExportText(project, kCvBasicDialect);
  EXPECT_EQ(Fingerprint(assembly), 14167178213525832843u) << assembly.substr(0, 200);
  EXPECT_EQ(Fingerprint(basic), 15273185978501452585u) << basic.substr(0, 200);
}

TEST(DataExport, LabelsAreCleanedOrFallBackToThePosition) {
  for (auto [name, label] : {std::pair{"hero-walk.1", "hero_walk_1"},
                             {"2 Ships", "Sprite_3"},
                             {"", "Sprite_3"},
                             {"caf\xc3\xa9", "caf__"},
                             {"!", "_"}})
    EXPECT_EQ(MakeLabel(name, "Sprite_", 3), label) << name;
}

// The command-line test assembles such an export with a Z80 assembler.
TEST(DataExport, RegressionDuplicateNamesGetUniqueLabels) {
  ResetProject();
  const std::string unique = ExportText(project, kPasmoDialect);
  // ADD, DEL, ADD gives two "Name Table 2"; a sprite may share a set's name, or its "_colors" label.
  nameTables.assign(3, DefaultNameTable());
  SetName(nameTables[1].name, "Name Table 2");
  SetName(nameTables[2].name, "Name Table 2");
  SetName(sprites()[0].name, "Tile Set 1_colors");
  tileSets.push_back(DefaultTileSet());
  std::vector<std::string> renamed;
  ExportText(project, kPasmoDialect, &renamed);
  EXPECT_EQ(renamed, (std::vector<std::string>{"Tile_Set_1 -> Tile_Set_1_2", "Tile_Set_1 -> Tile_Set_1_3",
                                               "Name_Table_2 -> Name_Table_2_2"}));
  ResetProject();
  EXPECT_EQ(ExportText(project, kPasmoDialect), unique) << "uniquely named projects export as before";
}
