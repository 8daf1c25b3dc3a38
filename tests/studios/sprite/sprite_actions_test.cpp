#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "studios/sprite/sprite_animation.h"
#include "studios/sprite/sprite_edits.h"
#include "studios/sprite/sprite_list_actions.h"

namespace {
using Pixel = std::pair<int, int>;  // row, column

Sprite WithPixels(const std::vector<Pixel>& set) {
  Sprite sprite;
  for (const auto& [r, c] : set) sprite.pixels[r][c] = 1;
  return sprite;
}

std::vector<Pixel> SetPixels(const Sprite& sprite) {
  std::vector<Pixel> set;
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      if (sprite.pixels[r][c]) set.emplace_back(r, c);
  return set;
}

Sprite Pattern(int seed) {
  Sprite sprite;
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) sprite.pixels[r][c] = ((r * 7 + c * 3 + seed) % 5) < 2;
  return sprite;
}

bool SamePixels(const Sprite& a, const Sprite& b) { return std::memcmp(a.pixels, b.pixels, sizeof a.pixels) == 0; }

std::vector<Sprite> Named(std::initializer_list<const char*> names) {
  std::vector<Sprite> list;
  for (const char* name : names) {
    list.emplace_back();
    SetName(list.back().name, name);
    list.back().pixels[0][0] = 1;
  }
  return list;
}
}  // namespace

TEST(SpriteEdits, RotationsMapPixelsAsTheChipSeesThem) {
  struct Case {
    void (*apply)(Sprite&);
    Pixel from;
    std::vector<Pixel> to;
  };
  auto rot45cw = [](Sprite& s) { RotateSprite45(s, true); };
  auto rot45ccw = [](Sprite& s) { RotateSprite45(s, false); };
  const Case cases[] = {
      {RotateSpriteClockwise90, {0, 0}, {{0, 15}}},
      {RotateSpriteCounterClockwise90, {0, 0}, {{15, 0}}},
      {RotateSprite180, {0, 0}, {{15, 15}}},
      {rot45cw, {0, 7}, {{2, 12}}},
      {rot45cw, {7, 15}, {{12, 13}}},
      {rot45cw, {7, 0}, {{2, 3}}},
      {rot45cw, {8, 8}, {{8, 8}}},
      {rot45cw, {0, 0}, {}},
      {rot45ccw, {0, 0}, {}},
      {rot45ccw, {0, 7}, {{3, 2}}},
      {rot45ccw, {7, 15}, {{2, 12}}},
  };
  for (const Case& c : cases) {
    Sprite sprite = WithPixels({c.from});
    c.apply(sprite);
    EXPECT_EQ(SetPixels(sprite), c.to) << c.from.first << "," << c.from.second;
  }

  Sprite full;
  std::memset(full.pixels, 1, sizeof full.pixels);
  RotateSprite45(full, true);
  EXPECT_EQ(SetPixels(full).size(), 179u);

  Sprite twos;
  std::memset(twos.pixels, 2, sizeof twos.pixels);
  RotateSprite180(twos);
  EXPECT_EQ(twos.pixels[3][4], 1) << "ROT 180 stores set pixels as 1";
}

TEST(SpriteEdits, FlipsAndRotationsRoundTrip) {
  const Sprite original = Pattern(3);
  Sprite sprite = original;
  FlipSpriteHorizontal(sprite);
  EXPECT_EQ(sprite.pixels[2][0], original.pixels[2][15]);
  EXPECT_FALSE(SamePixels(sprite, original));
  FlipSpriteHorizontal(sprite);
  EXPECT_TRUE(SamePixels(sprite, original));
  FlipSpriteVertical(sprite);
  EXPECT_EQ(sprite.pixels[0][5], original.pixels[15][5]);
  FlipSpriteVertical(sprite);
  RotateSpriteClockwise90(sprite);
  RotateSpriteCounterClockwise90(sprite);
  RotateSprite180(sprite);
  RotateSprite180(sprite);
  EXPECT_TRUE(SamePixels(sprite, original));
  for (int i = 0; i < 4; ++i) RotateSpriteClockwise90(sprite);
  EXPECT_TRUE(SamePixels(sprite, original));
}

TEST(SpriteEdits, ShiftsLoseWhatLeavesTheGrid) {
  Sprite sprite = WithPixels({{0, 0}, {5, 15}, {15, 3}});
  ShiftSpriteLeft(sprite);
  EXPECT_EQ(SetPixels(sprite), (std::vector<Pixel>{{5, 14}, {15, 2}}));
  ShiftSpriteRight(sprite);
  ShiftSpriteRight(sprite);
  EXPECT_EQ(SetPixels(sprite), (std::vector<Pixel>{{15, 4}})) << "the pixel in column 15 fell off";
  ShiftSpriteUp(sprite);
  EXPECT_EQ(SetPixels(sprite), (std::vector<Pixel>{{14, 4}}));
  ShiftSpriteDown(sprite);
  ShiftSpriteDown(sprite);
  EXPECT_TRUE(SetPixels(sprite).empty());
  Sprite full;
  std::memset(full.pixels, 1, sizeof full.pixels);
  for (int i = 0; i < 16; ++i) ShiftSpriteUp(full);
  EXPECT_TRUE(SetPixels(full).empty());
}

TEST(SpriteList, CommandsKeepASelection) {
  SpriteStudioState state;
  std::vector<Sprite> list{DefaultSprite()};
  AddSprite(state, list);
  EXPECT_STREQ(list[1].name, "Sprite 2");
  EXPECT_EQ(state.selectedSprite, 1);
  while (list.size() < 255) AddSprite(state, list);
  AddSprite(state, list);
  EXPECT_STREQ(list[255].name, "Sprite 256");
  AddSprite(state, list);
  EXPECT_EQ(list.size(), 256u);

  state.selectedSprite = 255;
  DeleteSprite(state, list);
  EXPECT_EQ(state.selectedSprite, 254);
  ClearSprites(state, list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_STREQ(list[0].name, "Sprite 0");
  DeleteSprite(state, list);
  EXPECT_EQ(list.size(), 1u);

  list = Named({"A", "B", "C", "D", "E"});
  MoveSprite(state, list, 0, 3);
  std::string order;
  for (const Sprite& sprite : list) order += sprite.name;
  EXPECT_EQ(order, "BCDAE");
  EXPECT_EQ(state.selectedSprite, 3);

  list[2].colour = 6;
  SelectSprite(state, list, 2);
  EXPECT_EQ(state.currentColour, 6);
  state.selectedSprite = 9;
  list[0].colour = 12;
  KeepSelectedSpriteInRange(state, list);
  EXPECT_EQ(state.selectedSprite, 0);
  EXPECT_EQ(state.currentColour, 12) << "regression: after a load the canvas kept the old sprite's colour";
}

TEST(SpriteImport, PatternBytesDecodeAsFourQuarters) {
  uint8_t bytes[32];
  std::memset(bytes, 0xFF, 16);
  std::memset(bytes + 16, 0x00, 16);
  Sprite sprite;
  DecodeSpritePattern(bytes, sprite);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) EXPECT_EQ(sprite.pixels[r][c], c < 8 ? 1 : 0) << r << "," << c;

  for (int b = 0; b < 32; ++b) bytes[b] = b % 2 ? 0x00 : 0xFF;
  DecodeSpritePattern(bytes, sprite);
  for (int r = 0; r < 16; ++r) EXPECT_EQ(sprite.pixels[r][11], r % 2 ? 0 : 1) << r;

  std::memset(bytes, 0, 32);
  bytes[8] = 0x80;   // bottom-left quarter, first row, leftmost pixel
  bytes[16] = 0x01;  // top-right quarter, first row, rightmost pixel
  DecodeSpritePattern(bytes, sprite);
  EXPECT_EQ(SetPixels(sprite), (std::vector<Pixel>{{0, 15}, {8, 0}}));
}

TEST(SpriteImport, TokenPiecesAreNamedAfterTheirBlockAndFillEmptySprites) {
  auto block = [](const std::string& name, int bytes) {
    std::string text = name + ":\n";
    for (int i = 0; i < bytes; ++i) text += (i % 16 ? ",$" : std::string(i ? "\n" : "") + " db $") + "81";
    return text + "\n";
  };
  SpriteStudioState state;
  std::vector<Sprite> list{DefaultSprite()};
  ImportSpritesToken(state, list, (block("hero", 32)).c_str());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_STREQ(list[0].name, "hero");
  EXPECT_EQ(list[0].colour, 15);

  list = Named({"keep"});
  list.emplace_back();  // empty: filled first
  list.push_back(Named({"also"})[0]);
  ImportSpritesToken(
      state, list,
      (block("ship", 96) + block("odd", 40) + block("short", 31) + block("abcdefghijklmnopqrstuvwxy", 32)).c_str());
  std::vector<std::string> names;
  for (const Sprite& sprite : list) names.push_back(sprite.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"keep", "ship", "also", "ship 2", "ship 3", "odd", "abcdefghijklmnopqrs"}));
  EXPECT_EQ(state.selectedSprite, 6);
  EXPECT_EQ(list[1].pixels[0][0], 1);
  EXPECT_EQ(list[1].pixels[0][1], 0);
}

TEST(SpriteImport, RawHexTakesOverOnlyAnUntouchedFirstSprite) {
  std::string hex;
  for (int piece = 0; piece < 3; ++piece) hex += std::string(64, '8') + "\n";
  SpriteStudioState state;

  std::vector<Sprite> list{DefaultSprite()};  // empty "Sprite 0"
  ImportSpritesRawHex(state, list, hex.c_str());
  std::vector<std::string> names;
  for (const Sprite& sprite : list) names.push_back(sprite.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Imported 1", "Imported 2", "Imported 3"}));
  EXPECT_EQ(list[0].colour, 15);
  EXPECT_EQ(state.selectedSprite, 2);

  list = Named({"Sprite 1"});  // not empty, but keeps its default name
  ImportSpritesRawHex(state, list, hex.c_str());
  EXPECT_STREQ(list[0].name, "Imported 1");
  EXPECT_EQ(list.size(), 3u);

  list = Named({"hero"});
  ImportSpritesRawHex(state, list, hex.c_str());
  EXPECT_STREQ(list[0].name, "hero");
  EXPECT_STREQ(list[3].name, "Imported 4");

  list.assign(255, Named({"x"})[0]);
  ImportSpritesRawHex(state, list, hex.c_str());
  EXPECT_EQ(list.size(), 256u) << "stops at 256";
  ImportSpritesRawHex(state, list, "12 34");
  ImportSpritesRawHex(state, list, nullptr);
  EXPECT_EQ(list.size(), 256u);
}

TEST(SpriteAnimation, FrameStepVisitsOnlyColumnsWithActiveCells) {
  SpriteAnimationState animation;
  AnimationStrips strips;
  animation.animationPlaying = true;
  strips.active[1][3] = true;
  for (int i = 0; i < 5; ++i) StepAnimation(animation, strips, 0.2f);
  EXPECT_EQ(animation.animationFrame, 3);
  EXPECT_TRUE(animation.animationPlaying);

  strips.active[1][3] = false;
  strips.active[0][0] = true;
  strips.active[2][5] = true;
  std::vector<int> frames;
  for (int i = 0; i < 4; ++i) {
    StepAnimation(animation, strips, 0.1f);
    StepAnimation(animation, strips, 0.1f);  // 0.2 s: one step, the excess 0.05 s dropped
    EXPECT_FLOAT_EQ(animation.animationTimer, 0.0f);
    frames.push_back(animation.animationFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{5, 0, 5, 0}));

  // Regression: a typed-in frame time below the slider's range stepped every frame.
  strips.frameSeconds = -5;
  StepAnimation(animation, strips, 0.02f);
  EXPECT_EQ(animation.animationFrame, 0);
  EXPECT_FLOAT_EQ(ClampFrameSeconds(-5), kMinFrameSeconds);
  EXPECT_FLOAT_EQ(ClampFrameSeconds(7), kMaxFrameSeconds);

  animation = SpriteAnimationState{};
  strips = AnimationStrips{};
  animation.animationPlaying = true;
  animation.animationFrame = 4;
  StepAnimation(animation, strips, 0.1f);
  EXPECT_TRUE(animation.animationPlaying) << "still waiting for the frame time";
  StepAnimation(animation, strips, 0.1f);
  EXPECT_FALSE(animation.animationPlaying);
  EXPECT_EQ(animation.animationFrame, 4);
}

TEST(SpriteAnimation, CellsSwapAndClear) {
  AnimationStrips strips;
  strips.cells[0][0] = 7;
  strips.active[0][0] = true;
  strips.cells[3][7] = 2;
  SwapStripCells(strips, 0, 0, 1, 4);
  EXPECT_EQ(strips.cells[1][4], 7);
  EXPECT_TRUE(strips.active[1][4]);
  EXPECT_EQ(strips.cells[0][0], -1);
  EXPECT_FALSE(strips.active[0][0]);
  SwapStripCells(strips, 0, 0, 4, 0);  // a payload from nowhere changes nothing
  ClearInactiveCells(strips);
  EXPECT_EQ(strips.cells[1][4], 7);
  EXPECT_EQ(strips.cells[3][7], -1);
}
