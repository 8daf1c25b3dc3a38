#include "model/history.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "import/png_import.h"
#include "storage/png_file.h"
#include "storage/project_file.h"
#include "studios/map/map_actions.h"
#include "studios/sprite/sprite_edits.h"
#include "studios/sprite/sprite_list_actions.h"
#include "studios/table/table_list_actions.h"
#include "studios/table/table_placements.h"
#include "studios/table/table_screen_actions.h"
#include "studios/tile/tile_canvas.h"
#include "studios/tile/tile_import.h"
#include "studios/tile/tile_set_actions.h"
#include "studios/tile/tile_sheet_actions.h"
#include "support/project_fixtures.h"

namespace {
// The project as its file stores it, and the canvas beside it.
using Snapshot = std::pair<std::string, CanvasImage>;

struct Editor {
  std::unique_ptr<TileStudioState> tiles = std::make_unique<TileStudioState>();
  SpriteStudioState sprite;
  TableStudioState table;
  History h;
  Editor() {
    MakeRichProject();
    Map map = DefaultMap();
    map.metatiles.resize(3);
    map.metatiles[1].tiles[0] = 1, map.metatiles[2].tiles[3] = 2;
    map.cells[70] = 1, map.cells[71] = 2;
    project.maps = {map, DefaultMap()};
    GetTiles(*tiles, tileSets[0]);  // a canvas with a drawing on it
    StartHistory(h, project, tiles->canvas);
  }
  Snapshot Now() const { return {SerializeProject(project), tiles->canvas}; }
  bool Record(const char* name) {
    h.nextName = name;
    return RecordChanges(h, project, tiles->canvas);
  }
};

using Action = std::function<void(Editor&)>;
const std::string kScreenHex(768 * 2, '7');

// clang-format off
const std::pair<const char*, Action> kActions[] = {
    {"paint stroke", [](Editor& e) { PaintCell(*e.tiles, 3, 0), PaintCell(*e.tiles, 3, 19); }},
    {"GET TILES", [](Editor& e) { GetTiles(*e.tiles, tileSets[1]); }},
    {"PUT TILES", [](Editor& e) { e.tiles->canvas.pixels[0][0] = 1, PutTiles(*e.tiles, tileSets[2]); }},
    {"CLEAR GRID", [](Editor& e) { ClearCanvas(*e.tiles); }},
    {"shift", [](Editor& e) { ShiftCanvasLeft(*e.tiles); }},
    {"PASTE",
     [](Editor& e) {
       e.tiles->selectionStart = 0, e.tiles->selectionEnd = 255, e.tiles->trackTiles = true;
       CopyTiles(*e.tiles, tileSets[1]);
       e.tiles->currentTile = 10, e.tiles->currentTileSet = 0, PasteTiles(*e.tiles, tileSets, nameTables);
     }},
    {"CUT", [](Editor& e) { e.tiles->selectionStart = 3, e.tiles->selectionEnd = 9, CutTiles(*e.tiles, tileSets[2]); }},
    {"tile swap", [](Editor& e) { e.tiles->trackTiles = true, SwapTiles(*e.tiles, tileSets, 1, 200, nameTables); }},
    {"import patterns", [](Editor& e) { e.tiles->currentTile = 250;
       ImportTilesRawHex(*e.tiles, tileSets, TileTable::Patterns, std::string(16 * 20, 'A').c_str()); }},
    {"ADD SET", [](Editor& e) { AddTileSet(*e.tiles, tileSets); }},
    {"DEL SET",
     [](Editor& e) { e.tiles->currentTileSet = 1, DeleteTileSet(*e.tiles, tileSets, nameTables, project.maps); }},
    {"CLEAR SETS", [](Editor& e) { ClearTileSets(*e.tiles, tileSets, nameTables, project.maps); }},
    {"tile set move", [](Editor& e) { MoveTileSet(*e.tiles, tileSets, nameTables, project.maps, 0, 2); }},
    {"rename", [](Editor&) { SetName(tileSets[1].name, "Dungeon"); }},
    {"FLIP HORZ", [](Editor&) { FlipSpriteHorizontal(sprites()[2], kSpriteSize); }},
    {"ROT 45+", [](Editor&) { RotateSprite45(sprites()[4], kSpriteSize, true); }},
    {"CLEAR EDIT", [](Editor&) { ClearSpritePixels(sprites()[0]); }},
    {"ADD SPRITE", [](Editor& e) { AddSprite(e.sprite, sprites()); }},
    {"DEL SPRITE", [](Editor& e) { e.sprite.selectedSprite = 2, DeleteSprite(e.sprite, project); }},
    {"sprite move", [](Editor& e) { MoveSprite(e.sprite, project, 4, 0); }},
    {"IMPORT SPRITES", [](Editor& e) { ImportSpritesRawHex(e.sprite, sprites(), std::string(64 * 3, 'C').c_str()); }},
    {"animation cell", [](Editor&) { project.strips.cells[1][2] = 3, project.strips.active[1][2] = true; }},
    {"tile drop", [](Editor&) { DropTileOnCell(nameTables[1], 31, 23, 9); }},
    {"CLEAR TABLE", [](Editor&) { ClearTableCells(nameTables[0]); }},
    {"third's tile set", [](Editor& e) { ChooseSectionTileSet(e.table, nameTables[2], 2, 1); }},
    {"sprite placement", [](Editor&) { AddPlacement(nameTables[0], 1, 33.25f, 40); }},
    {"sprite move",
     [](Editor& e) { GrabPlacement(e.table, 3, 0, 0), MoveGrabbedPlacement(e.table, nameTables[2], 3, 500, 600); }},
    {"DEL SPRITES", [](Editor&) { RemovePlacements(nameTables[2]); }},
    {"ADD", [](Editor& e) { AddNameTable(e.table, nameTables); }},
    {"DEL", [](Editor& e) { e.table.currentNameTable = 0, DeleteNameTable(e.table, nameTables); }},
    {"name table move", [](Editor& e) { MoveNameTable(e.table, nameTables, 2, 0); }},
    {"IMPORT", [](Editor& e) { ImportNameTablesRawHex(e.table, nameTables, kScreenHex.c_str()); }},
    {"map paint", [](Editor&) { PaintBlock(project.maps[0], MapBlock{1, 1, {1}}, {30, 40}); }},
    {"map fill", [](Editor&) { FillArea(project.maps[0], {5, 5}, 2); }},
    {"map move", [](Editor&) { Map& map = project.maps[0];
                               const MapBlock lifted = CopyRegion(map, {2, 1, 10, 3});
                               ClearRegion(map, {2, 1, 10, 3}), PaintBlock(map, lifted, {40, 50}); }},
    {"map rectangle", [](Editor&) { FillRect(project.maps[0], {3, 40, 9, 8}, 2); }},
    {"map delete", [](Editor&) { ClearRegion(project.maps[0], {0, 1, 64, 1}); }},
    {"metatile edit", [](Editor&) { project.maps[0].metatiles[2].tiles[1] = 77; }},
    {"map tile set", [](Editor&) { project.maps[1].tileSet = 2; }},
    {"ADD META", [](Editor&) { AddMetatile(project.maps[1]); }},
    {"map list move", [](Editor&) { std::swap(project.maps[0], project.maps[1]); }},
    {"RESIZE", [](Editor&) { ResizeMap(project.maps[1], 100, 7, MapAnchor::BottomRight); }},
    {"REPLACE", [](Editor&) { DeleteMetatile(project.maps[0], 1, 2); }},
    {"metatile move", [](Editor&) { MoveMetatile(project.maps[0], 0, 2); }},
    {"MAKE METATILES", [](Editor&) { MapBlock block; std::string message;
                                     MakeMetatilesFromScreen(project, 0, 1, {3, 3, 9, 5}, block, message); }},
    {"SCREEN FROM MAP", [](Editor&) { ScreenFromMap(project.maps[0], 60, 30, nameTables[2]); }},
    {"ADD MAP", [](Editor&) { project.maps.push_back(DefaultMap()); }},
    {"DEL MAP", [](Editor&) { project.maps.erase(project.maps.begin()); }},
    {"palette", [](Editor&) { ChoosePalette(project, PaletteId::V9938); }},
    {"New Project", [](Editor&) { ResetProject(); }},
    {"import PNG",
     [](Editor&) {
       const std::string png = EncodePng(RenderTileSheet(tileSets[1]), 1);
       ImportPicture(png, "sheet", project);
     }},
};
// clang-format on
}  // namespace

TEST(History, EveryKindOfStepUndoesAndRedoesToTheExactData) {
  for (const auto& [name, action] : kActions) {
    Editor e;
    const Snapshot before = e.Now();
    action(e);
    ASSERT_TRUE(e.Record(name)) << name;
    const Snapshot after = e.Now();
    EXPECT_EQ(UndoName(e.h), name);
    Undo(e.h, project, e.tiles->canvas);
    EXPECT_TRUE(e.Now() == before) << name << " undoes to the exact previous data";
    EXPECT_EQ(RedoName(e.h), name);
    Redo(e.h, project, e.tiles->canvas);
    EXPECT_TRUE(e.Now() == after) << name << " redoes to the exact next data";
    EXPECT_FALSE(e.Record("nothing")) << name << ": an unchanged frame records nothing";
    EXPECT_LT(e.h.bytes, 3 * sizeof(TileSet) + 64 * 1024) << name << " keeps only the records it changed";
  }
}

TEST(History, ANewChangeDropsTheRedoBranchAndLimitsDropTheOldest) {
  Editor e;
  e.tiles->canvas.pixels[0][0] ^= 1;
  ASSERT_TRUE(e.Record("paint stroke"));
  EXPECT_FALSE(HasUnsavedChanges(e.h)) << "the canvas is not saved, so it never makes the project unsaved";
  for (int i = 0; i < 3; ++i) {
    sprites()[0].colour = i + 1;
    e.Record("sprite colour");
  }
  MarkSaved(e.h);
  Undo(e.h, project, e.tiles->canvas);
  EXPECT_TRUE(HasUnsavedChanges(e.h));
  Redo(e.h, project, e.tiles->canvas);
  EXPECT_FALSE(HasUnsavedChanges(e.h)) << "back at the saved state";
  Undo(e.h, project, e.tiles->canvas);
  Undo(e.h, project, e.tiles->canvas);
  sprites()[1].colour = 9;
  e.Record("other");
  EXPECT_EQ(CanRedo(e.h) * 100 + e.h.steps.size() * 10 + sprites()[0].colour, 31u);
  Undo(e.h, project, e.tiles->canvas);
  EXPECT_TRUE(HasUnsavedChanges(e.h)) << "the saved state was on the dropped branch";

  e.h.stepLimit = 5;
  for (int i = 0; i < 8; ++i) {
    nameTables[0].cells[i] = 200;
    e.Record("tile drop");
    if (i == 4) MarkSaved(e.h);  // the saved state moves down as the oldest steps go
  }
  for (int i = 0; i < 3; ++i) Undo(e.h, project, e.tiles->canvas);
  EXPECT_FALSE(HasUnsavedChanges(e.h)) << "undone back to the saved state";
  EXPECT_EQ(e.h.steps.size(), 5u);
  while (CanUndo(e.h)) Undo(e.h, project, e.tiles->canvas);
  EXPECT_EQ(nameTables[0].cells[2] * 1000 + nameTables[0].cells[3], 200003) << "the three oldest steps were dropped";

  e.h.byteLimit = 2 * sizeof(TileSet) + 4096;
  e.h.stepLimit = kHistoryStepLimit;
  for (int i = 0; i < 4; ++i) {
    tileSets[i % 3].pixels[0][0][i] ^= 1;
    e.Record("paint stroke");
  }
  EXPECT_LE(e.h.bytes, e.h.byteLimit);
  EXPECT_EQ(UndoName(e.h), "paint stroke") << "the newest step is kept";
}
