#include "model/project.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
bool AllBytesAre(const void* data, std::size_t size, uint8_t value) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  for (std::size_t i = 0; i < size; ++i)
    if (bytes[i] != value) return false;
  return true;
}

void ExpectDefaultProject() {
  ASSERT_EQ(tileSets.size(), 1u);
  ASSERT_EQ(nameTables.size(), 1u);
  ASSERT_EQ(sprites().size(), 1u);
  EXPECT_STREQ(tileSets[0].name, "Tile Set 1");
  EXPECT_TRUE(AllBytesAre(tileSets[0].pixels, sizeof tileSets[0].pixels, 0));
  EXPECT_TRUE(AllBytesAre(tileSets[0].foreground, sizeof tileSets[0].foreground, 0));
  EXPECT_TRUE(AllBytesAre(tileSets[0].background, sizeof tileSets[0].background, 0));
  EXPECT_STREQ(nameTables[0].name, "Name Table 1");
  EXPECT_TRUE(AllBytesAre(nameTables[0].cells, sizeof nameTables[0].cells, EmptyCell));
  EXPECT_TRUE(nameTables[0].placements.empty());
  EXPECT_STREQ(sprites()[0].name, "Sprite 0");
  EXPECT_TRUE(AllBytesAre(sprites()[0].pixels, sizeof sprites()[0].pixels, 0));
  EXPECT_EQ(sprites()[0].colour, 0);
}
}  // namespace

TEST(Project, StartStateAndNewProjectHoldOneDefaultRecordEach) {
  ResetProject();  // other tests may have run first; the start state is what New gives
  ExpectDefaultProject();

  tileSets.push_back(TileSet{});
  tileSets[0].pixels[3][2][1] = 1;
  nameTables[0].placements.push_back({0, 1.5f, 2.25f});
  nameTables.push_back(DefaultNameTable());
  sprites()[0].colour = 7;
  sprites().push_back(Sprite{});
  ResetProject();
  ExpectDefaultProject();
}

TEST(Project, BlankRecordsAreEmpty) {
  const NameTable table;
  EXPECT_EQ(table.name[0], 0);
  EXPECT_EQ(table.name[20], 0);
  EXPECT_TRUE(AllBytesAre(table.cells, sizeof table.cells, EmptyCell));
  const TileSet set{};
  EXPECT_TRUE(AllBytesAre(&set, sizeof set, 0));
  const Sprite sprite{};
  EXPECT_TRUE(AllBytesAre(&sprite, sizeof sprite, 0));
}

TEST(Project, NamesKeepAtMostTwentyCharacters) {
  char name[kNameSize];
  std::memset(name, 'x', sizeof name);
  SetName(name, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_STREQ(name, "ABCDEFGHIJKLMNOPQRST");
  SetName(name, "ABCDEFGHIJKLMNOPQRSTU");
  EXPECT_STREQ(name, "ABCDEFGHIJKLMNOPQRST");
  SetName(name, "");
  EXPECT_STREQ(name, "");
  EXPECT_EQ(name[20], 0);

  FormatName(name, "Tile Set %zu", static_cast<std::size_t>(12));
  EXPECT_STREQ(name, "Tile Set 12");
  std::memset(name, 'x', sizeof name);
  FormatName(name, "%s-%d", "a name far longer than the field", 123456);
  EXPECT_EQ(std::strlen(name), 20u);
  EXPECT_EQ(name[20], 0);
}
