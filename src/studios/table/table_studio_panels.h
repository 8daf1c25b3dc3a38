#pragma once
// The Table Studio's panels, drawn at fixed offsets from the workspace window's
// corner (`origin`) in the order the frame draws them.

#include "chip/chip_render.h"
#include "chip/sprite_attributes.h"
#include "imgui.h"
#include "model/project.h"
#include "studios/table/table_screen_actions.h"
#include "studios/table/table_studio_state.h"
#include "widgets/layout.h"

inline constexpr const char* kTablePayloadTile = "DND_TILE_";
inline constexpr const char* kTablePayloadSprite = "DND_SPRITE_TO_TABLE";
inline constexpr const char* kTablePayloadMetasprite = "DND_METASPRITE_TO_TABLE";
inline constexpr ImVec2 kScreenOrigin{418, 39};
inline constexpr float kScreenPitch = 38;
inline constexpr float kScreenWidth = 1216, kScreenHeight = 912;
inline constexpr float kSpritePixel = kViewUnitsPerChipPixel;  // a chip pixel: kScreenPitch / 8
inline constexpr ImVec2 kTableToolButton{85, 18};
inline constexpr const char* kNameTableImportPopup = "Import Name Tables###ImpNameTable";

// The screen being edited; the frame's guard keeps the index in range.
inline NameTable& CurrentNameTable() { return nameTables[tableStudio.currentNameTable]; }
inline const TileSet& RowTileSet(int row) { return tileSets[TileSetForRow(CurrentNameTable(), row, tileSets.size())]; }

// A palette colour where index 0 shows the backdrop instead of nothing.
inline ImU32 ColourOverBackdrop(int index) {
  return Palette[(index & 15) == 0 ? CurrentNameTable().backdrop & 15 : index & 15];
}

void DrawTablePalette(ImVec2 origin);
void DrawPaintTools(ImVec2 origin);
void DrawTableToolColumn(ImVec2 origin);
void DrawOverlayToggles();
void DrawNameTableImportPopup();
void DrawScreenView(ImVec2 origin);
// The painting tools' share of the screen view, given its corner.
void RoutePaintMouse(ImVec2 screen);
void DrawPaintOverlays(ImVec2 screen);
// The chip's own picture of the screen, the scanlines where it drops sprites, and their count.
void DrawScreenPicture(ImVec2 screen, ScreenLook look);  // CHIP VIEW, or a Text or Multicolor screen
void DrawModeChoice();
void DrawModeScreen(ImVec2 screen);
void DrawSpriteLineMarks(ImVec2 screen);
void DrawSpriteLineCount();
void DrawPlacements(ImVec2 origin);
void DrawNameTablePanel(ImVec2 origin);
void DrawTileSetPanel(ImVec2 origin);
// False when there are no sprites: the frame then ends here.
bool DrawTableSpriteList(ImVec2 origin);
void DrawTileEditorWindow();
