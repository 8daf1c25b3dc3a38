#include "export/data_export.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "export/export_blocks.h"
#include "export/export_labels.h"
#include "model/project.h"
#include "support/project_fixtures.h"

// Each dialect read back: every label and constant of the scheme where a program finds it.
TEST(ExportLabels, EveryDialectWritesTheSchemesLabelsAndConstants) {
  ResetProject();
  SetName(sprites()[0].name, "hero");
  SetName(tileSets[0].name, "pic");
  SetName(nameTables[0].name, "pic");  // one name for a set, a screen and a map: each keeps its own labels
  nameTables[0].backdrop = 4;
  project.maps = {DefaultMap()};
  SetName(project.maps[0].name, "pic");
  sprites().push_back(DefaultSprite());
  project.metasprites = {Metasprite{"pic", 32, 32, {{1, -2, 5}, {7, 0, 0}, {0, 16, 0}}}};  // sprite 7: none
  const char* const labels[] = {"sprite_patterns", "pic_patterns",  "pic_colours", "pic_names",
                                "pic_attributes",  "pic_metatiles", "pic_cells",   "pic_metasprite"};
  const std::string constants =
      "hero_PATTERN 0 sprite_patterns_VRAM 14336 pic_patterns_SIZE 2048 pic_patterns_VRAM 0 pic_colours_VRAM 8192 "
      "pic_BACKDROP 4 pic_names_SIZE 768 pic_names_VRAM 6144 pic_attributes_VRAM 6912 pic_WIDTH 64 pic_HEIGHT 48 "
      "pic_cells_SIZE 3072 gfx_LARGEST_TABLE 3072";
  // How each dialect writes a label and a constant.
  // clang-format off
  const std::tuple<const TextDialect*, const char*, const char*> dialects[] = {
      {&kPasmoDialect, "\n%s:\n", "%s: equ %d\n"},        {&kSdasDialect, "\n_%s::\n%s::\n", "%s == %d\n"},
      {&kZ80asmDialect, "\n%s:\n", "%s: equ %d\n"},       {&kCvBasicDialect, "\n%s:\n", "CONST %s = %d\n"},
      {&kMsxBasicDialect, " REM %s\n", " REM %s = %d\n"}, {&kTiDialect, "\n%s\n", "%s EQU %d\n"},
      {&kCHeaderDialect, " %s[", "#define %s %d\n"},      {&kCExternHeaderDialect, " %s[", "#define %s %d\n"},
      {&kCSourceDialect, " %s[", nullptr}};
  // clang-format on
  const std::vector<DataBlock> blocks =
      ExportBlocks(project, LabelExportedRecords(project), SelectAll(project, kAllTables));
  const std::vector<uint8_t> parts{2, 5, 0xFE, 4, 15, 0, 16, 0, 15};  // count; y, x, pattern, colour each
  EXPECT_EQ(blocks.rbegin()[1].bytes, parts);
  EXPECT_EQ(blocks.back().addresses, std::vector<std::string>{"pic_metasprite"});
  for (const auto& [dialect, labelForm, constantForm] : dialects) {
    std::string text;
    ASSERT_TRUE(WriteTextBlocks(blocks, *dialect, TextFile{}, text));
    EXPECT_NE(text.find("Tessellary export, label scheme 2"), std::string::npos) << text.substr(0, 80);
    char line[128];
    for (const char* label : labels) {
      std::snprintf(line, sizeof line, labelForm, label, label);
      EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    // A table of the metasprites' addresses where the dialect has addresses (the BASICs have none).
    EXPECT_EQ(text.find("metasprite_tables") != std::string::npos, *dialect->addressStart != '\0');
    std::istringstream pairs(constants);
    std::string name;
    for (int value = 0; constantForm && pairs >> name >> value;) {
      std::snprintf(line, sizeof line, constantForm, name.c_str(), value);
      EXPECT_NE(text.find(line), std::string::npos) << line;
    }
  }
}

TEST(ExportLabels, NamesBecomeOneIdentifierForEveryLanguage) {
  // clang-format off
  for (auto [name, label] : {std::pair{"hero-walk.1", "hero_walk_1"}, {"2nd", "L2nd"}, {"", "Sprite_3"}, {"!", "L_"},
                             {"caf\xc3\xa9", "cafe"}, {"\xc3\x89" "cran", "Ecran"}, {"Stra\xc3\x9f" "e", "Strasse"},
                             {"\xe6\x97\xa5", "Sprite_3"}, {"int", "int"}})
    // clang-format on
    EXPECT_EQ(MakeLabel(name, "Sprite_", 3), label) << name;
}

// Names shared across kinds (a picture's set and screen, a map and the screen made from it) were
// numbered too, so a record's labels changed with what else the project held.
TEST(ExportLabels, RegressionOnlyRecordsOfOneKindRenumberEachOther) {
  ResetProject();
  nameTables.assign(3, DefaultNameTable());
  SetName(nameTables[1].name, "Map 2"), SetName(nameTables[2].name, "Map 2");
  tileSets.push_back(DefaultTileSet());
  SetName(tileSets[1].name, "sprite");  // its patterns would be all the sprites' table
  project.maps = {DefaultMap()};
  SetName(project.maps[0].name, "Map 2");
  const ExportLabels labels = LabelExportedRecords(project);
  EXPECT_EQ(labels.renamed, (std::vector<std::string>{"sprite -> sprite_2", "Map_2 -> Map_2_2"}));
  EXPECT_EQ(labels.maps[0], "Map_2");
}
