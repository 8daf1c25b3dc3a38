#include "model/project.h"

#include <gtest/gtest.h>

#include <cstring>

#include "storage/project_file.h"

TEST(Project, NewProjectHoldsOneBlankDefaultRecordEach) {
  ResetProject();
  const std::string fresh = SerializeProject(project);
  TileSet set{};
  SetName(set.name, "Tile Set 1");
  Sprite sprite{};
  SetName(sprite.name, "Sprite 0");
  NameTable table;
  SetName(table.name, "Name Table 1");
  EXPECT_EQ(tileSets, std::vector<TileSet>{set});
  EXPECT_EQ(sprites(), std::vector<Sprite>{sprite});
  EXPECT_EQ(nameTables, std::vector<NameTable>{table});
  for (uint8_t cell : table.cells) ASSERT_EQ(cell, EmptyCell);

  tileSets.push_back(TileSet{});
  tileSets[0].pixels[3][2][1] = 1;
  nameTables[0].placements.push_back({0, 1.5f, 2.25f});
  sprites()[0].colour = 7;
  project.strips.active[0][0] = true;
  ResetProject();
  EXPECT_EQ(SerializeProject(project), fresh);
}

TEST(Project, NamesKeepAtMostTwentyCharacters) {
  char name[kNameSize];
  std::memset(name, 'x', sizeof name);
  const struct {
    const char* given;
    const char* kept;
  } cases[] = {
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"}, {"ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRST"}, {"", ""}};
  for (const auto& c : cases) {
    SetName(name, c.given);
    EXPECT_STREQ(name, c.kept);
  }
  std::memset(name, 'x', sizeof name);
  FormatName(name, "%s-%d", "a name far longer than the field", 123456);
  EXPECT_EQ(std::strlen(name), 20u);
}
