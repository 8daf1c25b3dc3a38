#include "storage/data_export.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "model/project.h"
#include "storage/export_labels.h"
#include "support/project_fixtures.h"

namespace {
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
}  // namespace

TEST(DataExport, BothFormatsKeepTheirLayoutByteForByte) {
  MakeRichProject();
  const std::string assembly = ExportText(project, kAssemblyLinePrefix);
  const std::string basic = ExportText(project, kBasicLinePrefix);
  EXPECT_EQ(Fingerprint(assembly), 14167178213525832843u) << assembly.substr(0, 200);
  EXPECT_EQ(Fingerprint(basic), 15273185978501452585u) << basic.substr(0, 200);
  ResetProject();
  const std::vector<std::string> lines = Lines(ExportText(project, kBasicLinePrefix));
  ASSERT_EQ(lines.size(), 6 + 258 + 258 + 26u);  // label, data lines, a blank line: each record
  EXPECT_EQ(lines[0] + lines[5] + lines[6] + lines[263] + lines[264] + lines[522],
            "Sprite_0:Tile_Set_1:Tile_Set_1_colors:Name_Table_1:");
  EXPECT_EQ(lines[523].substr(0, 24), "   DATA BYTE $FF,$FF,$FF") << "empty cells export as tile 255";
}

TEST(DataExport, LabelsAreCleanedOrFallBackToThePosition) {
  struct Case {
    const char* name;
    const char* prefix;
    std::size_t position;
    const char* label;
  };
  const Case cases[] = {
      {"Tile Set 1", "TileSet_", 0, "Tile_Set_1"},
      {"2 Ships", "Sprite_", 3, "Sprite_3"},
      {"", "NameTable_", 7, "NameTable_7"},
      {"hero-walk.1", "Sprite_", 0, "hero_walk_1"},
      {"_x", "Sprite_", 0, "_x"},
      {"caf\xc3\xa9", "Sprite_", 0, "caf__"},
      {"!", "Sprite_", 12, "_"},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeLabel(c.name, c.prefix, c.position), c.label) << c.name;
}

TEST(DataExport, RecordLimitsAndTheUnnamedStop) {
  ResetProject();
  sprites().resize(300, DefaultSprite());
  tileSets.push_back(TileSet{});  // unnamed: it and everything after it are left out
  tileSets.push_back(DefaultTileSet());
  SetName(tileSets.back().name, "After");
  nameTables.push_back(NameTable{});
  nameTables.push_back(DefaultNameTable());
  SetName(nameTables.back().name, "Later");

  std::vector<std::string> renamed;
  const std::string text = ExportText(project, kAssemblyLinePrefix, &renamed);
  std::size_t spriteLabels = 0;
  for (const std::string& line : Lines(text)) spriteLabels += line.rfind("Sprite_0", 0) == 0 && line.back() == ':';
  EXPECT_EQ(spriteLabels, 256u);
  EXPECT_EQ(renamed.size(), 255u);
  EXPECT_NE(text.find("\nSprite_0_256:\n"), std::string::npos);
  EXPECT_EQ(text.find("After"), std::string::npos);
  EXPECT_EQ(text.find("Later"), std::string::npos);
  EXPECT_NE(text.find("Tile_Set_1_colors:"), std::string::npos);

  sprites().clear();
  EXPECT_EQ(ExportText(project, kAssemblyLinePrefix).substr(0, 12), "Tile_Set_1:\n");
  ResetProject();
}

// The command-line test assembles such an export with a Z80 assembler.
TEST(DataExport, RegressionDuplicateNamesGetUniqueLabels) {
  ResetProject();
  const std::string unique = ExportText(project, kAssemblyLinePrefix);
  // ADD, DEL, ADD gives two "Name Table 2"; a sprite may share a set's name, or its "_colors" label.
  nameTables.assign(3, DefaultNameTable());
  SetName(nameTables[1].name, "Name Table 2");
  SetName(nameTables[2].name, "Name Table 2");
  SetName(sprites()[0].name, "Tile Set 1_colors");
  tileSets.push_back(DefaultTileSet());
  std::vector<std::string> renamed;
  ExportText(project, kAssemblyLinePrefix, &renamed);
  EXPECT_EQ(renamed, (std::vector<std::string>{"Tile_Set_1 -> Tile_Set_1_2", "Tile_Set_1 -> Tile_Set_1_3",
                                               "Name_Table_2 -> Name_Table_2_2"}));
  ResetProject();
  EXPECT_EQ(ExportText(project, kAssemblyLinePrefix), unique) << "uniquely named projects export as before";
}
