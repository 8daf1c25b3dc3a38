#include "app/editor_tabs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gui_driver.h"

namespace {
std::vector<std::string> Titles() {
  std::vector<std::string> titles;
  for (const EditorTab& tab : editorTabs) titles.push_back(tab.title);
  return titles;
}

using Titles_ = std::vector<std::string>;

void RegisterInOrder(std::vector<int32_t> order) {
  savedTabOrder = std::move(order);
  RegisterEditorTabs();
}
}  // namespace

TEST(EditorTabs, RegisterFollowsTheSavedOrderThenTheRest) {
  struct Case {
    std::vector<int32_t> saved;
    Titles_ expected;
  };
  const Case cases[] = {
      {{}, {"Sprite Studio", "Tile Studio", "Table Studio"}},
      {{2, 0}, {"Table Studio", "Sprite Studio", "Tile Studio"}},
      {{1, 0}, {"Tile Studio", "Sprite Studio", "Table Studio"}},
      {{7, 2, -1}, {"Table Studio", "Sprite Studio", "Tile Studio"}},
      {{2, 2, 0, 2}, {"Table Studio", "Sprite Studio", "Tile Studio"}},
  };
  for (const Case& c : cases) {
    RegisterInOrder(c.saved);
    EXPECT_EQ(Titles(), c.expected) << "saved order of " << c.saved.size();
  }
  RegisterInOrder({});
}

TEST(EditorTabs, DraggingATabOntoAnotherPutsItBeforeThatTab) {
  RegisterInOrder({});
  GuiDriver gui;
  gui.Frame(2);
  const Titles_ abc = {"Sprite Studio", "Tile Studio", "Table Studio"};
  ASSERT_EQ(Titles(), abc);

  // A on C: B, A, C.
  gui.Drag(gui.ItemCenter("Sprite Studio"), gui.ItemCenter("Table Studio"));
  EXPECT_EQ(Titles(), (Titles_{"Tile Studio", "Sprite Studio", "Table Studio"}));

  // C on A, from A, B, C again: C, A, B.
  RegisterInOrder({});
  gui.Frame(2);
  gui.Drag(gui.ItemCenter("Table Studio"), gui.ItemCenter("Sprite Studio"));
  EXPECT_EQ(Titles(), (Titles_{"Table Studio", "Sprite Studio", "Tile Studio"}));

  // A tab dropped on itself stays where it is.
  const ImVec2 a = gui.ItemCenter("Sprite Studio");
  gui.Drag(ImVec2(a.x - 20, a.y), ImVec2(a.x + 20, a.y));
  EXPECT_EQ(Titles(), (Titles_{"Table Studio", "Sprite Studio", "Tile Studio"}));
  RegisterInOrder({});
}

TEST(EditorTabs, MoveIgnoresPositionsOutsideTheList) {
  RegisterInOrder({});
  const Titles_ before = Titles();
  MoveEditorTab(editorTabs, -1, 0);
  MoveEditorTab(editorTabs, 3, 0);
  MoveEditorTab(editorTabs, 0, 3);
  EXPECT_EQ(Titles(), before);
}
