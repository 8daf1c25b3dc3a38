#pragma once
#include <cstdint>
#include <vector>

struct EditorTab {
  int32_t id;         // fixed studio number 0-3
  const char* title;  // tab label
  void (*draw)();     // one frame of the studio; may be null
};

extern std::vector<EditorTab> editorTabs;   // order on screen
extern std::vector<int32_t> savedTabOrder;  // from the configuration, read once

// Rebuilds editorTabs from the registry, in savedTabOrder first, then the rest.
void RegisterEditorTabs();

// The "TAB_MOVE" drop: the tab at `from` lands directly before the tab at `onto`.
void MoveEditorTab(std::vector<EditorTab>& tabs, int from, int onto);

// The tab bar "EditorTabs" with the selected studio, inside the current window.
void DrawEditorTabs();
