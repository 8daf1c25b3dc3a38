#pragma once
// The Map Studio's panels, drawn at fixed offsets from the workspace window's
// corner (`origin`), and what they share.

#include "imgui.h"
#include "model/project.h"
#include "studios/map/map_studio_state.h"
#include "widgets/layout.h"

inline constexpr ImVec2 kMapViewOrigin{262, 64};
inline constexpr ImVec2 kMapViewSize{1080, 880};
inline constexpr ImVec2 kMiniMapOrigin{1356, 40};
inline constexpr float kMiniMapSize = 200;
inline constexpr ImVec2 kMetatilePaletteOrigin{1356, 262};
inline constexpr float kMapColumnWidth = 236;  // the lists and fields at the left
inline constexpr float kPaletteCell = 26;  // a metatile in the palette, 16 to a row
inline constexpr ImVec2 kMetatileEditorOrigin{1356, 700};
inline constexpr const char* kMetatilePayload = "DND_METATILE";
inline constexpr const char* kMapTilePayload = "DND_MAP_TILE";

// The map being edited; the frame's guard keeps the index in range (there may be none).
inline Map& CurrentMap() { return project.maps[mapStudio.currentMap]; }
// The set the map draws from: the first when its own is gone.
inline const TileSet& MapTileSet(const Map& map) { return tileSets[MapSetIndex(map, tileSets.size())]; }
// Chip pixels across a cell.
inline int CellPixels(const Map& map) { return 8 * map.metatileSize; }

void DrawMapList(ImVec2 origin);
void DrawMapProperties(ImVec2 origin);
void DrawPlayControls(Map& map);  // under the properties
void DrawMapToolBar(ImVec2 origin);
void DrawMapView(ImVec2 origin);
void DrawMiniMap(ImVec2 origin);
void DrawMetatilePalette(ImVec2 origin);
void DrawMetatileEditor(ImVec2 origin);
void HandleMapKeys();
