#include "app/shell/editor_tabs.h"

#include <algorithm>

#include "imgui.h"
#include "studios/map/map_studio.h"
#include "studios/sprite/sprite_studio.h"
#include "studios/table/table_studio.h"
#include "studios/tile/tile_studio.h"
#include "widgets/drag_payload.h"

std::vector<EditorTab> editorTabs;
std::vector<int32_t> savedTabOrder;

namespace {
const EditorTab kRegistry[] = {
    {0, "Sprite Studio", DrawSpriteStudio},
    {1, "Tile Studio", DrawTileStudio},
    {2, "Table Studio", DrawTableStudio},
    {3, "Map Studio", DrawMapStudio},
};

const char* kTabMovePayload = "TAB_MOVE";
}  // namespace

void RegisterEditorTabs() {
  editorTabs.assign(std::begin(kRegistry), std::end(kRegistry));
  if (savedTabOrder.empty()) return;
  std::vector<EditorTab> ordered;
  auto listed = [&ordered](int32_t id) {
    return std::any_of(ordered.begin(), ordered.end(), [id](const EditorTab& t) { return t.id == id; });
  };
  for (int32_t id : savedTabOrder)
    for (const EditorTab& tab : kRegistry)
      if (tab.id == id && !listed(id)) ordered.push_back(tab);
  for (const EditorTab& tab : kRegistry)
    if (!listed(tab.id)) ordered.push_back(tab);
  editorTabs = ordered;
}

void MoveEditorTab(std::vector<EditorTab>& tabs, int from, int onto) {
  const int count = static_cast<int>(tabs.size());
  if (from < 0 || from >= count || onto < 0 || onto >= count || from == onto) return;
  const EditorTab moved = tabs[from];
  tabs.erase(tabs.begin() + from);
  tabs.insert(tabs.begin() + (from < onto ? onto - 1 : onto), moved);
}

void DrawEditorTabs() {
  if (!ImGui::BeginTabBar("EditorTabs")) return;
  for (int i = 0; i < static_cast<int>(editorTabs.size()); ++i) {
    ImGui::PushID(i);
    const bool selected = ImGui::BeginTabItem(editorTabs[i].title);
    OfferDragPayload(kTabMovePayload, &i, sizeof i, "Move %s", editorTabs[i].title);
    if (int from; TakeDropPayload(kTabMovePayload, &from, sizeof from)) MoveEditorTab(editorTabs, from, i);
    if (selected) {
      if (editorTabs[i].draw) editorTabs[i].draw();
      ImGui::EndTabItem();
    }
    ImGui::PopID();
  }
  ImGui::EndTabBar();
}
