#include "studios/table/table_studio.h"

#include "studios/table/table_screen_actions.h"
#include "studios/table/table_studio_panels.h"

TableStudioState tableStudio;

void DrawTableStudio() {
  KeepTableIndicesInRange(tableStudio, tileSets, nameTables);
  const ImVec2 origin = ImGui::GetWindowPos();
  DrawTablePalette(origin);
  DrawPaintTools(origin);
  DrawTableToolColumn(origin);
  DrawScreenView(origin);
  DrawPlacements(origin);
  DrawNameTablePanel(origin);
  DrawTileSetPanel(origin);
  if (!DrawTableSpriteList(origin)) return;
  DrawTileEditorWindow();
}
