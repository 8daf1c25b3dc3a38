#include "app/shell/editor_tabs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shell/frame_fingerprint.h"
#include "imgui.h"
#include "imgui_internal.h"
#include "studios/map/map_studio_state.h"
#include "support/gui_driver.h"
#include "support/project_fixtures.h"

namespace {
using Titles = std::vector<std::string>;
const Titles kStart = {"Sprite Studio", "Tile Studio", "Table Studio", "Map Studio"};

Titles TabTitles() {
  Titles titles;
  for (const EditorTab& tab : editorTabs) titles.push_back(tab.title);
  return titles;
}

Titles RegisterInOrder(std::vector<int32_t> order) {
  savedTabOrder = std::move(order);
  RegisterEditorTabs();
  return TabTitles();
}
}  // namespace

TEST(EditorTabs, RegisterFollowsTheSavedOrderThenTheRestAndMovesStayInTheList) {
  const Titles tableFirst = {"Table Studio", "Sprite Studio", "Tile Studio", "Map Studio"};
  EXPECT_EQ(RegisterInOrder({}), kStart);
  EXPECT_EQ(RegisterInOrder({2, 0}), tableFirst);
  EXPECT_EQ(RegisterInOrder({7, 2, -1}), tableFirst) << "unknown ids are skipped";
  EXPECT_EQ(RegisterInOrder({2, 2, 0, 2}), tableFirst) << "repeats are skipped";
  for (auto [from, to] : {std::pair{-1, 0}, {4, 0}, {0, 4}}) MoveEditorTab(editorTabs, from, to);
  EXPECT_EQ(TabTitles(), tableFirst);
  RegisterInOrder({});
}

TEST(EditorTabs, DraggingATabOntoAnotherPutsItBeforeThatTab) {
  RegisterInOrder({});
  GuiDriver gui;
  gui.Frame(2);
  gui.Drag(gui.ItemCenter("Sprite Studio"), gui.ItemCenter("Table Studio"));
  EXPECT_EQ(TabTitles(), (Titles{"Tile Studio", "Sprite Studio", "Table Studio", "Map Studio"}));

  RegisterInOrder({});
  gui.Frame(2);
  gui.Drag(gui.ItemCenter("Table Studio"), gui.ItemCenter("Sprite Studio"));
  const Titles moved = {"Table Studio", "Sprite Studio", "Tile Studio", "Map Studio"};
  EXPECT_EQ(TabTitles(), moved);
  const ImVec2 a = gui.ItemCenter("Sprite Studio");
  gui.Drag(ImVec2(a.x - 20, a.y), ImVec2(a.x + 20, a.y));
  EXPECT_EQ(TabTitles(), moved) << "a tab dropped on itself stays where it is";
  RegisterInOrder({});
}

// What lets an editor with no input stop drawing: a frame like the last has its fingerprint.
TEST(EditorTabs, AFrameThatDrawsWhatTheLastDrewHasItsFingerprintAndAnotherTabDoesNot) {
  GuiDriver gui;
  gui.Frame(3);
  const uint64_t settled = FrameFingerprint(*ImGui::GetDrawData());
  gui.Frame();
  EXPECT_EQ(FrameFingerprint(*ImGui::GetDrawData()), settled);
  gui.Click(gui.ItemCenter("Tile Studio"));
  gui.Frame();
  EXPECT_NE(FrameFingerprint(*ImGui::GetDrawData()), settled);
}

// Everything a studio draws lies within the layout, its busiest panels shown.
TEST(EditorTabs, EveryStudioDrawsWithinTheLayout) {
  GuiDriver gui;
  MakeWalkProject(2);
  project.nameTables[0].placements.push_back({300, 0, 0});  // past the pattern table: a second warning
  project.metasprites.push_back(Metasprite{"Hero", 32, 32, {}});
  mapStudio.showFrame = true, mapStudio.viewTop = 200;  // the frame's tag under the view
  gui.Frame();
  for (const char* tab : {"Sprite Studio", "Tile Studio", "Table Studio", "Map Studio"}) {
    gui.ClickItem(tab), gui.Frame(2);
    const ImGuiWindow* workspace = ImGui::FindWindowByName("Workspace");
    const ImVec2 drawn = workspace->DC.CursorMaxPos,
                 far(workspace->Pos.x + workspace->Size.x, workspace->Pos.y + workspace->Size.y);
    EXPECT_TRUE(drawn.x <= far.x && drawn.y <= far.y) << tab << " reaches " << drawn.x << ", " << drawn.y;
  }
}
