// Metasprites painted as one picture: the parts that appear and go, the
// sprites they share and take, the project file and the undo history.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "model/history.h"
#include "model/metasprite_picture.h"
#include "storage/project_file.h"
#include "studios/sprite/metasprite_actions.h"
#include "studios/sprite/sprite_list_actions.h"
#include "support/project_fixtures.h"

namespace {
// A 32 x 32 metasprite "Hero" and four sprites before it, the last placed on a screen.
Project HeroProject() {
  Project data = DefaultProject();
  data.sprites.assign(4, DefaultSprite());
  data.nameTables[0].placements = {{3, 10, 10}};
  Metasprite hero;
  SetName(hero.name, "Hero");
  data.metasprites = {hero};
  return data;
}

void Fill(MetaspritePicture& picture, int x0, int y0, int x1, int y1, int colour) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) picture.pixels[y][x] = static_cast<uint8_t>(colour);
}

bool SamePicture(const MetaspritePicture& a, const MetaspritePicture& b) { return a.pixels == b.pixels; }
}  // namespace

TEST(Metasprite, PartsFollowThePictureAndTheirSpritesComeAndGo) {
  Project data = HeroProject();
  MetaspritePicture picture;
  Fill(picture, 2, 2, 14, 14, 1);     // a black outline's cell...
  Fill(picture, 4, 4, 12, 12, 8);     // ...with red inside it
  Fill(picture, 16, 20, 30, 32, 15);  // white in the bottom-right cell
  std::string error;
  ASSERT_TRUE(SetMetaspritePicture(data, 0, picture, error)) << error;
  ASSERT_EQ(data.metasprites[0].parts.size(), 3u);
  EXPECT_EQ(data.sprites.size(), 7u);
  EXPECT_EQ(std::string(data.sprites[4].name) + "|" + data.sprites[5].name + "|" + data.sprites[6].name,
            "Hero c1 0,0|Hero c8 0,0|Hero c15 1,1");
  Sprite named;
  NamePart(named, "A name of twenty ch.", 15, 48, 32, 16);
  EXPECT_STREQ(named.name, "A name of tw c15 3,2") << "a long name gives way to the colour and cell";
  EXPECT_TRUE(SamePicture(DrawMetasprite(data.metasprites[0], data.sprites, kSpriteSize), picture));
  const std::vector<int> lines = SpritesPerLine(data.metasprites[0], kSpriteSize);
  EXPECT_EQ(lines[15] * 10 + lines[16], 21);

  // Red painted over: its part and sprite go, the later sprite's part follows its new number.
  Fill(picture, 4, 4, 12, 12, 1);
  ASSERT_TRUE(SetMetaspritePicture(data, 0, picture, error));
  EXPECT_EQ(data.sprites.size(), 6u);
  EXPECT_TRUE(SamePicture(DrawMetasprite(data.metasprites[0], data.sprites, kSpriteSize), picture));
  EXPECT_EQ(data.nameTables[0].placements[0].spriteIndex, 3) << "sprites before the metasprite's keep their numbers";

  // A part shared with another metasprite is copied before it changes.
  data.metasprites.push_back(data.metasprites[0]);
  const Project shared = data;
  Fill(picture, 20, 24, 24, 28, 0);
  ASSERT_TRUE(SetMetaspritePicture(data, 0, picture, error));
  EXPECT_EQ(data.sprites.size(), 7u);
  EXPECT_TRUE(SamePicture(DrawMetasprite(data.metasprites[1], data.sprites, kSpriteSize),
                          DrawMetasprite(shared.metasprites[1], shared.sprites, kSpriteSize)));

  // No room for the sprites a picture needs: refused, nothing changed.
  data.sprites.resize(255);
  const Project full = data;
  Fill(picture, 32, 0, 48, 16, 4);
  Fill(picture, 20, 0, 24, 4, 5);
  data.metasprites[0].width = 64;
  EXPECT_FALSE(SetMetaspritePicture(data, 0, picture, error));
  EXPECT_EQ(error, "The metasprite would need 1 sprite more than the 256 a project holds");
  data.metasprites[0].width = 32;
  EXPECT_TRUE(data == full);
}

TEST(Metasprite, SurvivesTheProjectFileAndTheHistory) {
  Project data = HeroProject();
  const std::string without = SerializeProject(data);
  History history;
  StartHistory(history, data, CanvasImage{});
  MetaspritePicture picture;
  Fill(picture, 0, 0, 20, 20, 6);
  std::string error;
  ASSERT_TRUE(SetMetaspritePicture(data, 0, picture, error));
  data.metasprites[0].parts[1].x = -3;
  CanvasImage canvas;
  ASSERT_TRUE(RecordChanges(history, data, canvas));
  const std::string with = SerializeProject(data);
  Project read;
  ASSERT_EQ(ParseImage(with, read), FileResult::Ok);
  EXPECT_TRUE(read == data);
  for (std::size_t cut = with.rfind("MSPB") + 1; cut < with.size(); ++cut)
    EXPECT_NE(ParseImage(with, read, cut), FileResult::Ok) << cut;
  // A width of 0 or 80, a sheet cell past its grid, the first part's x of -16 or 64: refused.
  const std::size_t record = with.rfind("MSPB") + 16 + kNameSize;
  for (auto [at, value] : {std::pair{0, 0}, {0, 80}, {8, 5}, {32, -16}, {32, 64}})
    EXPECT_TRUE(RefusedWith(with, record + at, value, 4)) << at << " " << value;
  Undo(history, data, canvas);
  EXPECT_EQ(SerializeProject(data), without);
}

TEST(Metasprite, GroupsAndAnimationFramesSurviveTheFileAndFollowADeletedMetasprite) {
  Project data = HeroProject();
  data.metasprites.push_back(data.metasprites[0]);
  const std::string ungrouped = SerializeProject(data);
  EXPECT_EQ(ungrouped[ungrouped.rfind("MSPB") + 4], 1) << "without groups or frames, the block is written as before";
  data.nameTables[0].placements.push_back({1, 20, 20, 3});
  data.strips.cells[0][0] = 1, data.strips.cells[0][1] = 0, data.strips.cells[1][0] = 3;  // two frames, sprite 3
  data.strips.metasprite[0][0] = data.strips.metasprite[0][1] = true;
  const std::string with = SerializeProject(data);
  Project read;
  ASSERT_EQ(ParseImage(with, read), FileResult::Ok);
  EXPECT_TRUE(read == data);
  // The table's placement count, a group of -2, a flag of 2, sprite 3's cell as metasprite 3 of 2: refused.
  const std::size_t uses = with.size() - 32 - 4 * 2 - 4;
  for (auto [at, value] :
       {std::pair<std::size_t, int>{uses, 3}, {uses + 4, -2}, {with.size() - 32, 2}, {with.size() - 24, 1}})
    EXPECT_TRUE(RefusedWith(with, at, value)) << at;
  // Sprite renumbering passes the frames by; deleting the first metasprite empties its frame and moves the other's.
  EXPECT_EQ(RenumberSpriteUses(data, 4, [](int i) { return i == 3 ? 2 : i; }), 0);
  SpriteStudioState state;
  state.currentMetasprite = 0;
  DeleteMetasprite(state, data);
  EXPECT_EQ(Digits(data.strips.cells[0], 3) + Digits(data.strips.cells[1], 1) + Digits(data.strips.metasprite[0], 2),
            "0??210");
  EXPECT_EQ(data.nameTables[0].placements.back(), (SpritePlacement{1, 20, 20, 3}));
}

TEST(Metasprite, AnotherSpriteSizeCutsThePicturesAgainAndIsSavedOnlyWhenChosen) {
  Project data = HeroProject();
  EXPECT_EQ(SerializeProject(data).find("SPZB"), std::string::npos) << "16 x 16 is written as before";
  MetaspritePicture picture;
  Fill(picture, 4, 4, 20, 12, 6);
  Fill(picture, 0, 20, 8, 24, 9);
  std::string error;
  ASSERT_TRUE(SetMetaspritePicture(data, 0, picture, error));
  Project read;
  for (auto [size, parts] : {std::pair{SpriteSize{8, true}, 7u}, {SpriteSize{16, false}, 3u}}) {
    ASSERT_TRUE(ChangeSpriteSize(data, size, error)) << error;
    EXPECT_EQ(data.metasprites[0].parts.size(), parts) << "at 8 x 8: six cells of colour 6, one of 9";
    EXPECT_TRUE(SamePicture(DrawMetasprite(data.metasprites[0], data.sprites, size.side), picture));
    const std::string image = SerializeProject(data);
    ASSERT_EQ(ParseImage(image, read), FileResult::Ok);
    EXPECT_TRUE(read == data);
    EXPECT_TRUE(size.side == 16 || RefusedWith(image, image.size() - 5, 12)) << "a side of 12";
  }

  // Frames that share sprites, as a sheet's do: to 8 x 8 and back leaves the list as it was, and
  // at 8 x 8 every sprite past the plain four is some part's.
  data = HeroProject();
  Fill(picture, 0, 0, 32, 32, 0), Fill(picture, 0, 0, 32, 16, 7), Fill(picture, 3, 17, 9, 30, 10);
  ASSERT_TRUE(SetMetaspritePicture(data, 0, picture, error));
  data.metasprites.push_back(data.metasprites[0]);
  const Project shared = data;
  ASSERT_TRUE(ChangeSpriteSize(data, {8, false}, error));
  for (int sprite = 4; sprite < static_cast<int>(data.sprites.size()); ++sprite) {
    int uses = 0;
    for (const Metasprite& metasprite : data.metasprites)
      for (const MetaspritePart& part : metasprite.parts) uses += part.sprite == sprite;
    EXPECT_GT(uses, 0) << "sprite " << sprite << " is left behind";
  }
  ASSERT_TRUE(ChangeSpriteSize(data, {16, false}, error));
  EXPECT_TRUE(data == shared) << data.sprites.size() << " sprites, " << shared.sprites.size() << " before";

  // Cut into 8 x 8, a full project cannot hold the parts: refused whole.
  data.spriteSize = {}, data.sprites.resize(kMaxSprites - 2);
  const Project before = data;
  EXPECT_FALSE(ChangeSpriteSize(data, {8, false}, error));
  EXPECT_NE(error.find("Hero"), std::string::npos) << error;
  EXPECT_TRUE(data == before);

  // The selection stays on its sprite: a plain one after the parts, or a part's goes to its metasprite's first.
  data = HeroProject();
  ASSERT_TRUE(SetMetaspritePicture(data, 0, picture, error) && ChangeSpriteSize(data, {8, false}, error));
  data.sprites.push_back(data.sprites[0]), std::strcpy(data.sprites.back().name, "Plain");
  Project resized = data;
  ASSERT_TRUE(ChangeSpriteSize(resized, {16, false}, error));
  for (const int selected :
       {int(data.sprites.size()) - 1, data.metasprites[0].parts[0].sprite, data.metasprites[0].parts.back().sprite}) {
    SpriteStudioState state;
    state.selectedSprite = selected, KeepSelectionThroughResize(state, data, resized);
    const auto same = [&](const Sprite& s) { return !std::memcmp(&s, &data.sprites[selected], sizeof s); };
    EXPECT_TRUE(std::any_of(resized.sprites.begin(), resized.sprites.end(), same)
                    ? same(resized.sprites[state.selectedSprite])
                    : state.selectedSprite == resized.metasprites[0].parts[0].sprite)
        << selected << " became " << state.selectedSprite;
  }
}
