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
  // The screen and its sprites in the compared palette, if any; all else in the project's.
  paletteShownInstead = tableStudio.shownAs >= 0 ? &kChipPalettes[tableStudio.shownAs % kPalettes] : nullptr;
  DrawScreenView(origin);
  DrawPlacements(origin);
  paletteShownInstead = nullptr;
  DrawNameTablePanel(origin);
  DrawTileSetPanel(origin);
  if (!DrawTableSpriteList(origin)) return;
  DrawTileEditorWindow();
}
