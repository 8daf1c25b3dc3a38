#pragma once
// The Tile Studio's panels, each drawn at fixed offsets from the workspace
// window's top-left corner (`origin`), in the order the frame draws them.

#include "imgui.h"
#include "model/project.h"
#include "widgets/layout.h"
#include "studios/tile/tile_studio_state.h"

// The set being edited, looked up afresh: a command earlier in the frame may
// have added, removed or moved sets.
inline TileSet& CurrentTileSet() { return tileSets[tileStudio.currentTileSet]; }

inline constexpr const char* kTilePayload = "DND_TILE_";

void DrawTilePalette(ImVec2 origin);
void DrawCanvasPanel(ImVec2 origin);
void DrawShiftArrows(ImVec2 origin);
void DrawBlockCaptions(ImVec2 origin);
void DrawCanvasToolColumn(ImVec2 origin);
void DrawTileToolColumn(ImVec2 origin);
void DrawSetButtonColumn(ImVec2 origin);
void DrawTileImportPopups();
void DrawTileSetList(ImVec2 origin);
void DrawTileSheet(ImVec2 origin);
