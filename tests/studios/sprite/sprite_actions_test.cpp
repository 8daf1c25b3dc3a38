#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "studios/sprite/sprite_animation.h"
#include "studios/sprite/metasprite_actions.h"
#include "studios/sprite/sprite_edits.h"
#include "studios/sprite/sprite_list_actions.h"
#include "support/project_fixtures.h"

namespace {
using Pixel = std::pair<int, int>;  // row, column
using Pixels = std::vector<Pixel>;

Sprite WithPixels(const Pixels& set, uint8_t value = 1) {
  Sprite sprite;
  for (const auto& [r, c] : set) sprite.pixels[r][c] = value;
  return sprite;
}

Pixels SetPixels(const Sprite& sprite) {
  Pixels set;
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      if (sprite.pixels[r][c]) set.emplace_back(r, c);
  return set;
}

std::vector<Sprite> Named(std::initializer_list<const char*> names) {
  std::vector<Sprite> list(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    SetName(list[i].name, names.begin()[i]);
    list[i].pixels[0][0] = 1;
  }
  return list;
}
}  // namespace

TEST(SpriteEdits, EveryEditMapsPixelsAsTheChipSeesThemAtEitherSize) {
  auto rot45cw = [](Sprite& s, int side) { RotateSprite45(s, side, true); };
  auto rot45ccw = [](Sprite& s, int side) { RotateSprite45(s, side, false); };
  const struct {
    void (*apply)(Sprite&, int);
    int side;
    Pixels from, to;
  } cases[] = {
      // clang-format off
      {RotateSpriteClockwise90, 16, {{0, 0}, {3, 1}}, {{0, 15}, {1, 12}}},
      {RotateSpriteCounterClockwise90, 16, {{0, 0}, {3, 1}}, {{14, 3}, {15, 0}}},
      {RotateSprite180, 16, {{0, 0}, {3, 1}}, {{12, 14}, {15, 15}}},
      {FlipSpriteHorizontal, 16, {{2, 0}, {5, 9}}, {{2, 15}, {5, 6}}}, {FlipSpriteVertical, 16, {{0, 5}, {9, 1}}, {{6, 1}, {15, 5}}},
      {rot45cw, 16, {{0, 7}}, {{2, 12}}}, {rot45cw, 16, {{8, 8}}, {{8, 8}}}, {rot45ccw, 16, {{0, 0}}, {}},
      {rot45ccw, 16, {{7, 15}}, {{2, 12}}},
      {ShiftSpriteLeft, 16, {{0, 0}, {5, 15}, {15, 3}}, {{5, 14}, {15, 2}}},
      {ShiftSpriteRight, 16, {{0, 0}, {5, 15}, {15, 3}}, {{0, 1}, {15, 4}}},
      {ShiftSpriteUp, 16, {{0, 0}, {5, 15}, {15, 3}}, {{4, 15}, {14, 3}}},
      {ShiftSpriteDown, 16, {{0, 0}, {5, 15}, {15, 3}}, {{1, 0}, {6, 15}}},
      // 8 x 8: the top-left quarter turns and moves alone, the hidden rest stays.
      {RotateSpriteClockwise90, 8, {{0, 0}, {3, 1}, {12, 12}}, {{0, 7}, {1, 4}, {12, 12}}},
      {FlipSpriteHorizontal, 8, {{2, 0}, {2, 12}}, {{2, 7}, {2, 12}}}, {ShiftSpriteRight, 8, {{0, 7}, {9, 9}}, {{9, 9}}},
      {ShiftSpriteDown, 8, {{7, 0}, {3, 3}}, {{4, 3}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    Sprite sprite = WithPixels(c.from);
    sprite.colour = 13;
    c.apply(sprite, c.side);
    EXPECT_EQ(SetPixels(sprite), c.to) << c.side << ": " << c.from.front().first << "," << c.from.front().second;
    EXPECT_EQ(sprite.colour, 13) << "nothing written past the pixels";
  }
  Sprite twos = WithPixels({{3, 4}}, 2);
  RotateSprite180(twos, 16);
  EXPECT_EQ(twos.pixels[12][11], 1) << "ROT 180 stores set pixels as 1";
  Sprite full;
  std::memset(full.pixels, 1, sizeof full.pixels);
  RotateSprite45(full, 16, true);
  EXPECT_EQ(SetPixels(full).size(), 179u);
}

TEST(SpriteList, CommandsKeepASelection) {
  SpriteStudioState state;
  Project data;
  std::vector<Sprite>& list = data.sprites;
  list.push_back(DefaultSprite());
  for (int i = 0; i < 300; ++i) AddSprite(state, list);
  EXPECT_EQ(Names(list).substr(0, 18) + list[255].name + std::to_string(list.size()), "Sprite 0|Sprite 2|Sprite 256256");
  EXPECT_EQ(state.selectedSprite, 255);
  DeleteSprite(state, data);
  EXPECT_EQ(state.selectedSprite, 254);
  ClearSprites(state, list);
  EXPECT_EQ(DeleteSprite(state, data), "");
  EXPECT_EQ(Names(list), "Sprite 0|") << "the last sprite stays";

  list = Named({"A", "B", "C"});
  list[2].colour = 6;
  SelectSprite(state, list, 2);
  EXPECT_EQ(state.currentColour, 6);
  state.selectedSprite = 9;
  list[0].colour = 12;
  KeepSelectedSpriteInRange(state, list);
  EXPECT_EQ(state.selectedSprite * 100 + state.currentColour, 12)
      << "regression: after a load the canvas kept the old sprite's colour";
}

TEST(SpriteList, RegressionPlacementsAndAnimationCellsFollowDeletedAndMovedSprites) {
  SpriteStudioState state;
  Project data;
  data.sprites = Named({"a", "b", "c", "d"});
  data.nameTables.resize(2);
  for (int index : {0, 1, 2, 3, 7, -1}) data.nameTables[1].placements.push_back({index, 0, 0});
  data.strips.cells[0][0] = 1, data.strips.cells[3][7] = 2, data.strips.cells[2][2] = 0;
  auto uses = [&data] {
    std::string text;
    for (const SpritePlacement& p : data.nameTables[1].placements) text += std::to_string(p.spriteIndex) + ",";
    return text + "|" + std::to_string(data.strips.cells[0][0]) + std::to_string(data.strips.cells[3][7]) +
           std::to_string(data.strips.cells[2][2]);
  };
  state.selectedSprite = 1;
  EXPECT_EQ(DeleteSprite(state, data), "Deleted b: 2 uses on screens, in the animation and in metasprites now show no sprite");
  EXPECT_EQ(uses(), "0,-1,1,2,7,-1,|-110") << "c and d keep showing; b's uses show none";
  MoveSprite(state, data, 0, 2);
  EXPECT_EQ(Names(data.sprites) + uses(), "c|d|a|2,-1,0,1,7,-1,|-102");
  MoveSprite(state, data, 2, 1);
  EXPECT_EQ(Names(data.sprites) + uses(), "c|a|d|1,-1,0,2,7,-1,|-101");
}

TEST(SpriteImport, TokenPiecesAreNamedAfterTheirBlockAndFillEmptySprites) {
  auto block = [](const std::string& name, int bytes) {
    std::string text = name + ":\n";
    for (int i = 0; i < bytes; ++i) text += (i % 16 ? ",$" : std::string(i ? "\n" : "") + " db $") + "81";
    return text + "\n";
  };
  SpriteStudioState state;
  std::vector<Sprite> list{DefaultSprite()};
  ImportSpritesToken(state, list, block("hero", 32).c_str());
  EXPECT_EQ(Names(list) + std::to_string(list[0].colour), "hero|15");

  list = Named({"keep"});
  list.emplace_back();  // empty: filled first
  list.push_back(Named({"also"})[0]);
  ImportSpritesToken(
      state, list,
      (block("ship", 96) + block("odd", 40) + block("short", 31) + block("abcdefghijklmnopqrstuvwxy", 32)).c_str());
  EXPECT_EQ(Names(list), "keep|ship|also|ship 2|ship 3|odd|abcdefghijklmnopqrs|");
  EXPECT_EQ(state.selectedSprite, 6);
  EXPECT_EQ(Digits(list[1].pixels[0], 16), "1000000110000001") << "$81 in the top quarters";
}

TEST(SpriteImport, RawHexTakesOverOnlyAnUntouchedFirstSprite) {
  std::string hex;
  for (int piece = 0; piece < 3; ++piece) hex += std::string(64, '8') + "\n";
  SpriteStudioState state;
  for (auto [before, after] : {std::pair{Named({"Sprite 1"}), "Imported 1|Imported 2|Imported 3|"},
                               {Named({"hero"}), "hero|Imported 2|Imported 3|Imported 4|"},
                               {std::vector<Sprite>(255, Named({"x"})[0]), ""}}) {
    ImportSpritesRawHex(state, before, hex.c_str());
    EXPECT_EQ(before.size() < 256 ? Names(before) : "", after) << "it stops at 256";
    EXPECT_EQ(before.back().colour * 1000 + state.selectedSprite, 15000 + before.size() - 1);
  }
}

TEST(SpriteAnimation, FrameStepVisitsOnlyColumnsWithActiveCellsAndStopsWithoutAny) {
  SpriteAnimationState animation{true, 0, 0};
  AnimationStrips strips;
  strips.active[0][0] = strips.active[2][5] = true;
  std::vector<int> frames;
  for (float seconds : {0.2f, 0.1f, 0.1f, 0.1f, 0.1f, 0.75f}) {
    StepAnimation(animation, strips, seconds);  // 0.15 s a frame; the excess of a step is dropped
    frames.push_back(animation.animationFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{5, 5, 0, 0, 5, 0}));
  strips.frameSeconds = -5;  // regression: a typed-in time below the slider's range stepped every frame
  StepAnimation(animation, strips, 0.02f);
  EXPECT_EQ(animation.animationFrame, 0);
  EXPECT_FLOAT_EQ(ClampFrameSeconds(-5) + ClampFrameSeconds(7), kMinFrameSeconds + kMaxFrameSeconds);

  strips.cells[0][0] = 7, strips.cells[3][7] = 2;
  AnimationStrips corners;
  corners.cells[0][0] = 1, corners.cells[3][7] = 2, corners.active[3][7] = true;
  SwapStripCells(corners, 3, 7, 0, 0);  // the first and the last cell of the bench
  EXPECT_EQ(corners.cells[0][0] * 10 + corners.cells[3][7] + corners.active[0][0] * 100, 121);
  SwapStripCells(strips, 0, 0, 4, 0);  // a payload from nowhere changes nothing
  ClearInactiveCells(strips);
  EXPECT_EQ(strips.cells[0][0] * 10 + strips.cells[3][7], 69);
  strips.active[0][0] = strips.active[2][5] = false;
  StepAnimation(animation, strips, 0.2f);
  EXPECT_EQ(animation.animationPlaying * 10 + animation.animationFrame, 0) << "no active cell: playing stops";
  EXPECT_NE(TogglePlaying(animation, strips).find("Nothing to play"), std::string::npos);
  EXPECT_FALSE(animation.animationPlaying);
  SetStripCell(strips, 1, 6, 3, true);  // a metasprite dropped into a cell plays
  EXPECT_EQ(TogglePlaying(animation, strips), "");
  EXPECT_TRUE(animation.animationPlaying && strips.active[1][6]);
}

TEST(MetaspriteMoves, EachMoveTakesThePixelWhereTheSpriteEditsWouldAndATurnNeedsASquare) {
  const struct {
    MetaspriteMove move;
    int x, y;  // where the pixel at (3, 1) of a 32 x 32 picture lands
  } cases[] = {{MetaspriteMove::FlipHorizontal, 28, 1}, {MetaspriteMove::FlipVertical, 3, 30},
               {MetaspriteMove::RotateClockwise, 30, 3}, {MetaspriteMove::RotateCounterClockwise, 1, 28},
               {MetaspriteMove::Left, 2, 1},            {MetaspriteMove::Right, 4, 1},
               {MetaspriteMove::Up, 3, 0},              {MetaspriteMove::Down, 3, 2}};
  for (const auto& c : cases) {
    Project data = DefaultProject();
    SpriteStudioState state;
    std::string error;
    AddMetasprite(state, data);
    ASSERT_TRUE(PaintMetasprite(state, data, 3, 1, 9, error));
    ASSERT_TRUE(MoveMetaspritePicture(state, data, c.move, error)) << error;
    const MetaspritePicture picture = DrawMetasprite(data.metasprites[0], data.sprites, kSpriteSize);
    EXPECT_EQ(picture.pixels[c.y][c.x], 9) << static_cast<int>(c.move);
    EXPECT_EQ(data.sprites.size(), 2u) << "one part, wherever the pixel went";
  }
  Project data = DefaultProject();
  SpriteStudioState state;
  std::string error;
  AddMetasprite(state, data);
  ASSERT_TRUE(ResizeMetasprite(state, data, 48, 32, error));
  EXPECT_FALSE(MoveMetaspritePicture(state, data, MetaspriteMove::RotateClockwise, error));
  EXPECT_EQ(error, "Only a square metasprite turns a quarter");
  ASSERT_TRUE(ResizeMetasprite(state, data, 64, 64, error));
  for (const auto& c : cases)
    EXPECT_TRUE(MoveMetaspritePicture(state, data, c.move, error)) << "the largest, to its edges";
  EXPECT_TRUE(MoveMetaspritePicture(state, data, MetaspriteMove::Left, error)) << "an empty picture moves too";
  state.currentMetasprite = 1;  // past the list, as after an undo before the frame's guard
  EXPECT_FALSE(PaintMetasprite(state, data, 0, 0, 1, error) || !DeleteMetasprite(state, data).empty());
}
