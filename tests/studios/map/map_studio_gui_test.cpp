#include "model/history.h"
#include "studios/map/map_actions.h"
#include "studios/map/map_picture.h"
#include "studios/map/map_studio_panels.h"
#include "studios/map/map_studio_state.h"
#include "support/project_fixtures.h"
#include "support/studio_gui.h"

namespace {
class MapStudioGui : public StudioGui {
 protected:
  void SetUp() override {
    Open("Map Studio");
    Choose({"ADD MAP"});
  }
  // The view at one chip pixel a pixel: 2x2 metatiles are 16 pixels a cell.
  ImVec2 Cell(int column, int row) const { return gui.At(262 + 16 * column + 8, 64 + 16 * row + 8); }
  Map& map() { return project.maps[0]; }
  int At(int column, int row) { return map().At(column, row); }
  // Whether the view's texture shows the map where the view now is.
  bool ViewShowsTheMap() {
    const int width = static_cast<int>(kMapViewSize.x), height = static_cast<int>(kMapViewSize.y);
    static TileColours colours;
    BuildTileColours(tileSets[map().tileSet], colours);
    std::vector<uint32_t> expected(static_cast<std::size_t>(width) * height);
    RenderMapView(map(), colours, mapStudio.viewLeft, mapStudio.viewTop, kMapZooms[mapStudio.zoom], width, height,
                  expected.data());
    for (ImTextureData* texture : ImGui::GetPlatformIO().Textures)
      if (texture->Width == width && texture->Height == height)
        return std::equal(expected.begin(), expected.end(), static_cast<const uint32_t*>(texture->GetPixels()));
    return false;
  }
};
}  // namespace

TEST_F(MapStudioGui, PaintFillMoveAndUndoEachOneStep) {
  ASSERT_EQ(project.maps.size(), 1u);
  Choose({"ADD META", "ADD META"});
  map().metatiles[1].tiles[0] = 1, map().metatiles[2].tiles[0] = 2;
  gui.Click(gui.ItemCentres("##metatile")[1]);
  EXPECT_EQ(mapStudio.brush.cells, std::vector<uint8_t>{1}) << "a palette click makes the brush";
  gui.Drag(Cell(2, 3), Cell(9, 3), 3);
  EXPECT_EQ(At(2, 3) * 100 + At(5, 3) * 10 + At(9, 3), 111) << "a stroke with no gaps";
  gui.Drag(Cell(4, 3), Cell(4, 5), 2, 1);
  EXPECT_EQ(At(4, 3) * 10 + At(4, 4), 0) << "the right button erases to metatile 0";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(At(4, 3), 1);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(At(2, 3) + At(9, 3), 0) << "the whole stroke was one step";

  gui.Click(gui.ItemCentres("##metatile")[2]);
  gui.PressKey(ImGuiKey_F);
  gui.Click(Cell(0, 0));
  EXPECT_EQ(MetatileUsage(map())[2], 64 * 48) << "FILL: the whole area";

  PaintBlock(map(), MapBlock{2, 1, {1, 0}}, {10, 10});
  gui.PressKey(ImGuiKey_S);
  gui.Drag(Cell(10, 10), Cell(11, 10), 3);
  ASSERT_TRUE(mapStudio.hasRegion);
  gui.Drag(Cell(10, 10), Cell(13, 12), 6);
  EXPECT_EQ(At(10, 10) * 1000 + At(11, 10) * 100 + At(13, 12) * 10 + At(14, 12) + At(15, 12), 12)
      << "the region moved, metatile 0 left behind";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_C);
  gui.PressKey(ImGuiKey_V);
  EXPECT_FALSE(mapStudio.floating) << "V alone pastes nothing";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_V);
  gui.Click(Cell(20, 20));
  EXPECT_EQ(At(20, 20) * 10 + At(21, 20), 10) << "a paste lands at the click";
  gui.Click(gui.ItemCentres("##metatile")[1]);
  EXPECT_EQ(mapStudio.tool, MapTool::Brush) << "a palette click in SELECT takes up the brush";
}

TEST_F(MapStudioGui, TheScreenFrameWritesANameTable) {
  map().metatiles[0].tiles[0] = 7;
  std::fill(std::begin(tileSets[0].background[7]), std::end(tileSets[0].background[7]), 8);  // seen in the view
  const std::size_t tables = nameTables.size();
  Choose({"FRAME", "SCREEN FROM MAP"});
  ASSERT_EQ(nameTables.size(), tables + 1);
  NameTable expected;
  ScreenFromMap(map(), 0, 0, expected);
  EXPECT_EQ(std::string(nameTables.back().cells, nameTables.back().cells + kTableCells),
            std::string(expected.cells, expected.cells + kTableCells));
  EXPECT_EQ(Names(nameTables), "Name Table 1|Map 1|");
  Choose({"ADD META"});
  gui.Click(gui.ItemCentres("##metatile")[1]);
  gui.Click(Cell(0, 0));
  EXPECT_EQ(At(0, 0), 1) << "the frame's tag leaves the map's top-left cells to the brush";

  const float left = mapStudio.viewLeft;
  gui.MoveMouse(Cell(30, 30));
  gui.Frame();
  gui.MoveMouse(Cell(20, 30));
  gui.Frame();
  EXPECT_EQ(mapStudio.viewLeft, left) << "hovering moves nothing";
  gui.Drag(Cell(30, 30), Cell(20, 30), 4, 2);
  EXPECT_EQ(mapStudio.viewLeft, left + 160) << "the middle button drags the view";
  gui.MoveMouse(Cell(30, 30));
  gui.Frame();
  EXPECT_EQ(mapStudio.viewLeft, left + 160) << "released, it drags no more";
  std::vector<uint32_t> above(16), far(16);
  RenderMapView(map(), TileColours{}, 0, -4, 1, 4, 4, above.data());
  RenderMapView(map(), TileColours{}, 0, -1e6f, 1, 4, 4, far.data());
  EXPECT_EQ(above, far) << "the rows above the map show the outside";
  EXPECT_TRUE(ViewShowsTheMap()) << "the view is drawn again where it moved";
}

TEST_F(MapStudioGui, KeysMoveAndZoomTheViewAboutItsMiddle) {
  // The view's corner and zoom step after each key, from (300, 200) at 1:1.
  for (auto [key, left, top, zoom] : {std::tuple{ImGuiKey_RightArrow, 364.0f, 200.0f, 4},
                                      {ImGuiKey_LeftArrow, 236.0f, 200.0f, 4},
                                      {ImGuiKey_DownArrow, 300.0f, 264.0f, 4},
                                      {ImGuiKey_UpArrow, 300.0f, 136.0f, 4},
                                      {ImGuiKey_Equal, 570.0f, 420.0f, 5},
                                      {ImGuiKey_KeypadAdd, 570.0f, 420.0f, 5},
                                      {ImGuiKey_Minus, -240.0f, -240.0f, 3},
                                      {ImGuiKey_KeypadSubtract, -240.0f, -240.0f, 3}}) {
    mapStudio.viewLeft = 300, mapStudio.viewTop = 200, mapStudio.zoom = kOneToOneZoom;
    gui.PressKey(key);
    EXPECT_EQ(std::tuple(mapStudio.viewLeft, mapStudio.viewTop, mapStudio.zoom), std::tuple(left, top, zoom))
        << ImGui::GetKeyName(key);
  }
  // As undoing ADD META, ADD MAP or ADD leaves them: each comes back to a record that is there.
  mapStudio.selectedMetatile = 1, mapStudio.currentMap = 1, mapStudio.screenInto = 1, gui.Frame();
  EXPECT_EQ(std::tuple(mapStudio.selectedMetatile, mapStudio.currentMap, mapStudio.screenInto), std::tuple(0, 0, 0));
}

// The size fields kept another map's size, and RESIZE then dropped cells unasked.
TEST_F(MapStudioGui, ResizeFieldsFollowTheMapAndALossyResizeAsksFirst) {
  Choose({"ADD MAP"});
  Map& second = project.maps[1];
  mapStudio.newWidth = 100;  // as typed
  Choose({"RESIZE"});
  ASSERT_EQ(second.width, 100);
  Choose({"Map 1", "Map 2"});
  EXPECT_EQ(mapStudio.newWidth * 1000 + mapStudio.newHeight, 100048) << "the fields show the chosen map";
  Choose({"Bottom right", "RESIZE"});
  EXPECT_EQ(second.width * 1000 + second.height, 100048) << "the same size against another corner";

  AddMetatile(second);
  second.At(10, 0) = 1;  // kept against the right: the left 50 columns go
  mapStudio.newWidth = 50;
  Choose({"RESIZE"});
  ASSERT_TRUE(gui.HasItem("YES")) << "one cell would go: asked first";
  EXPECT_EQ(second.width, 100);
  Choose({"YES"});
  EXPECT_EQ(second.width, 50);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(project.maps[1].width * 1000 + mapStudio.newWidth, 100100) << "undone, the fields follow";
}

TEST_F(MapStudioGui, AMetatileMarkedSolidIsHatchedOnTheMap) {
  map().At(1, 1) = 0;
  Choose({"SOLID"});
  EXPECT_TRUE(map().metatiles[0].solid);
  const ImU32 before = gui.ColourAt(Cell(1, 1));
  Choose({"SOLID##show"});
  EXPECT_NE(gui.ColourAt(Cell(1, 1)), before) << "the hatch crosses the middle of the cell";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_FALSE(map().metatiles[0].solid);
}

TEST_F(MapStudioGui, TheWalkersStartIsDraggedOnTheMapAndCentredAgain) {
  ASSERT_FALSE(sprites().empty()) << "the walker is the first sprite";
  sprites()[0].pixels[0][0] = 1, sprites()[0].colour = 15;  // a blank walker cannot play
  mapStudio = MapStudioState();  // as a new editor has it
  gui.Frame();
  Choose({"FRAME"});
  const ImVec2 tag = gui.ItemCenter("START##walker");
  gui.Drag(tag, ImVec2(tag.x + 40, tag.y + 24), 6);
  EXPECT_EQ(map().play.startX, 120 + 40) << "from the frame's middle, a chip pixel a pixel";
  EXPECT_EQ(map().play.startY, 88 + 24);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(map().play.startX, -1) << "the drag is one step";
  gui.Drag(tag, ImVec2(tag.x - 500, tag.y), 4);
  EXPECT_EQ(map().play.startX, 0) << "kept on the map";
  Choose({"CENTRE START"});
  EXPECT_EQ(map().play, MapPlay{});
}
