#include "studios/tile/tile_studio.h"

#include "studios/tile/tile_set_actions.h"
#include "studios/tile/tile_studio_panels.h"

TileStudioState tileStudio;

void DrawTileStudio() {
  KeepCurrentTileSetInRange(tileStudio, tileSets);
  const ImVec2 origin = ImGui::GetWindowPos();
  DrawTilePalette(origin);
  DrawCanvasPanel(origin);
  DrawShiftArrows(origin);
  DrawBlockCaptions(origin);
  DrawCanvasToolColumn(origin);
  DrawTileToolColumn(origin);
  DrawSetButtonColumn(origin);
  DrawTileImportPopups();
  DrawTileSetList(origin);
  DrawTileSheet(origin);
}
