#include "studios/map/map_studio.h"

#include <algorithm>

#include "studios/map/map_studio_panels.h"

MapStudioState mapStudio;

void FollowMapSize(MapStudioState& state, const Map& map) {
  if (state.fieldsMap == state.currentMap && state.fieldsWidth == map.width && state.fieldsHeight == map.height) return;
  state.fieldsMap = state.currentMap;
  state.newWidth = state.fieldsWidth = map.width;
  state.newHeight = state.fieldsHeight = map.height;
}

void DrawMapStudio() {
  MapStudioState& state = mapStudio;
  const ImVec2 origin = ImGui::GetWindowPos();
  if (tileSets.empty()) tileSets.push_back(DefaultTileSet());
  state.currentMap = std::clamp(state.currentMap, 0, std::max(0, static_cast<int>(project.maps.size()) - 1));
  DrawMapList(origin);
  if (project.maps.empty()) return;
  Map& map = CurrentMap();
  state.selectedMetatile = std::clamp(state.selectedMetatile, 0, static_cast<int>(map.metatiles.size()) - 1);
  FollowMapSize(state, map);
  for (uint8_t& metatile : state.brush.cells)
    if (metatile >= map.metatiles.size()) metatile = 0;
  DrawMapProperties(origin);
  DrawMapToolBar(origin);
  DrawMapView(origin);
  DrawMiniMap(origin);
  DrawMetatilePalette(origin);
  DrawMetatileEditor(origin);
  HandleMapKeys();
}
