// The colour picker, the canvas in its two layers (16 x 16 cells, or 8 x 8
// twice as large), the shift arrows, the display toggles and the column of
// whole-sprite edits.
#include <string>

#include "model/history.h"
#include "model/metasprite_picture.h"
#include "studios/sprite/sprite_edits.h"
#include "studios/sprite/sprite_list_actions.h"
#include "studios/sprite/sprite_studio_panels.h"
#include "widgets/drag_payload.h"
#include "widgets/edit_button.h"
#include "widgets/list_widgets.h"
#include "widgets/notice.h"
#include "widgets/palette_columns.h"
#include "widgets/toggle_button.h"

namespace {
constexpr ImVec2 kCanvasOrigin{140, 55};
constexpr float kCanvasSide = 16 * 28.5f;
constexpr ImVec2 kToolButton{80, 20};
constexpr ImU32 kFaintWhite = IM_COL32(255, 255, 255, 40);
constexpr const char* kClearPopup = "ConfirmClearSprite";

int Side() { return project.spriteSize.side; }
float CellPitch() { return kCanvasSide / Side(); }  // 28.5 at 16 x 16
float CellSide() { return CellPitch() - 0.5f; }

ImVec2 CellCorner(ImVec2 origin, int row, int column) {
  return At(origin, kCanvasOrigin.x + CellPitch() * column, kCanvasOrigin.y + CellPitch() * row);
}

ImVec4 PaletteColour(int index) { return ImGui::ColorConvertU32ToFloat4(Palette[index & 15]); }

void DrawClearConfirmation() {
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
  if (ConfirmYesCancel(kClearPopup, "Clear pixels for: %s?", SelectedSprite().name)) {
    ClearSpritePixels(SelectedSprite());
    NameNextEdit("CLEAR EDIT");
  }
}

// The red cross where the sprite's four 8x8 quarters meet.
void DrawCentreCross(ImVec2 origin) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 centre = At(origin, kCanvasOrigin.x + 228, kCanvasOrigin.y + 228);
  const ImU32 red = IM_COL32(255, 0, 0, 255);
  draw->AddLine(ImVec2(centre.x, centre.y - 22.8f), ImVec2(centre.x, centre.y + 22.8f), red, 1.5f);
  draw->AddLine(ImVec2(centre.x - 22.3f, centre.y), ImVec2(centre.x + 22.3f, centre.y), red, 1.5f);
}
}  // namespace

void DrawColourPicker(ImVec2 origin) {
  const PaletteClick click = DrawPaletteColumns(origin, "PaletteTable", {"##f", 2000, &SelectedSprite().colour},
                                                {"##b", 3000, &spriteStudio.canvasBackground});
  if (click.column == 0) {
    spriteStudio.currentColour = click.colour;
    NameNextEdit("sprite colour");
  }
}

void DrawCanvasBaseLayer(ImVec2 origin) {
  SpriteStudioState& state = spriteStudio;
  const ImVec2 topLeft = CellCorner(origin, 0, 0);
  // Equal colours would hide the picture; clear pixels then show grey here.
  const ImVec4 clearColour = state.currentColour == state.canvasBackground ? ImVec4(0.15f, 0.15f, 0.15f, 1.0f)
                                                                           : PaletteColour(state.canvasBackground);
  const ImVec4 setColour = PaletteColour(state.currentColour);
  // Cells are colour buttons for their look only: no colour drag may start from them.
  const ImGuiColorEditFlags flags =
      ImGuiColorEditFlags_NoTooltip | ImGuiColorEditFlags_NoBorder | ImGuiColorEditFlags_NoDragDrop;
  ImDrawList* draw = ImGui::GetWindowDrawList();

  // The group, and so the sprite drop target, starts at the canvas corner.
  ImGui::SetCursorScreenPos(topLeft);
  ImGui::BeginGroup();
  for (int r = 0; r < Side(); ++r) {
    ImGui::SetCursorScreenPos(CellCorner(origin, r, 0));
    for (int c = 0; c < Side(); ++c) {
      if (c > 0) ImGui::SameLine(0, 0.5f);
      ImGui::PushID(r * 16 + c);
      ImGui::ColorButton("##c", SelectedSprite().pixels[r][c] ? setColour : clearColour, flags,
                         ImVec2(CellSide(), CellSide()));
      FrameInside(draw, ImGui::GetItemRectMin(), ImGui::GetItemRectMax(), kFaintWhite, 1);
      ImGui::PopID();
    }
  }
  ImGui::EndGroup();
  if (int dropped; TakeDropPayload(kSpriteRowPayload, &dropped, sizeof dropped))
    SelectSprite(state, sprites(), dropped);
}

void DrawSpriteShiftArrows(ImVec2 origin) {
  ImGui::SetCursorScreenPos(At(origin, 654, 402));
  if (ShiftButton("##up", ImGuiDir_Up)) ShiftSpriteUp(SelectedSprite(), Side());
  ImGui::SetItemTooltip("Shift the sprite up one pixel");
  ImGui::SetCursorScreenPos(At(origin, 630, 424));
  if (ShiftButton("##left", ImGuiDir_Left)) ShiftSpriteLeft(SelectedSprite(), Side());
  ImGui::SetItemTooltip("Shift the sprite left one pixel");
  ImGui::SameLine(0, 2);
  ImGui::Button("##center", ImVec2(22, 22));
  ImGui::SameLine(0, 2);
  if (ShiftButton("##right", ImGuiDir_Right)) ShiftSpriteRight(SelectedSprite(), Side());
  ImGui::SetItemTooltip("Shift the sprite right one pixel");
  ImGui::SetCursorScreenPos(At(origin, 654, 448));
  if (ShiftButton("##down", ImGuiDir_Down)) ShiftSpriteDown(SelectedSprite(), Side());
  ImGui::SetItemTooltip("Shift the sprite down one pixel");
}

void DrawCanvasOverlay(ImVec2 origin) {
  SpriteStudioState& state = spriteStudio;
  ImGui::SetCursorScreenPos(At(origin, 625, 90));
  if (ToggleButton("GRID", state.showGrid, kToolButton)) state.showGrid = !state.showGrid;
  ImGui::SetItemTooltip("Show or hide the grid lines");

  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float side = state.showGrid ? CellSide() : CellPitch();
  GridCell hovered{-1, -1};
  for (int r = 0; r < Side(); ++r)
    for (int c = 0; c < Side(); ++c) {
      ImGui::PushID(25000 + r * 16 + c);
      const ImVec2 corner = CellCorner(origin, r, c);
      uint8_t& pixel = SelectedSprite().pixels[r][c];
      draw->AddRectFilled(corner, ImVec2(corner.x + side, corner.y + side),
                          Palette[(pixel ? state.currentColour : state.canvasBackground) & 15]);
      if (state.showGrid)
        FrameInside(draw, corner, ImVec2(corner.x + CellSide(), corner.y + CellSide()), kFaintWhite, 1);
      ImGui::SetCursorScreenPos(corner);
      ImGui::InvisibleButton("##hit", ImVec2(CellPitch(), CellPitch()));
      // A menu or popup over the canvas takes the click; only the canvas itself paints.
      if (ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenBlockedByActiveItem)) hovered = {r, c};
      ImGui::PopID();
    }
  // The left button draws, the right erases (also in the middle of a left
  // stroke); no drag-and-drop payload of any kind paints.
  const bool left = ImGui::IsMouseDown(ImGuiMouseButton_Left), right = ImGui::IsMouseDown(ImGuiMouseButton_Right);
  const bool painting = hovered.row >= 0 && !ImGui::GetDragDropPayload() && (left || right);
  FollowStroke(state.stroke, painting, hovered,
               [right](GridCell cell) { SelectedSprite().pixels[cell.row][cell.column] = right ? 0 : 1; });
  if (painting) NameNextEdit("paint stroke");
  if (hovered.row >= 0 && !left && !right)
    ImGui::SetTooltip("Sprite %d, row %d, column %d", state.selectedSprite, hovered.row, hovered.column);
}

void DrawEditColumn(ImVec2 origin) {
  SpriteStudioState& state = spriteStudio;
  ImGui::SetCursorScreenPos(At(origin, 625, 120));
  ImGui::BeginGroup();
  if (ToggleButton("Boundary", state.showBoundary, kToolButton)) state.showBoundary = !state.showBoundary;
  ImGui::SetItemTooltip("Show or hide the cross where the four 8x8 quarters meet");
  if (state.showBoundary) OutlineLastItem(2);
  struct Edit {
    const char* label;
    const char* tooltip;
    void (*apply)(Sprite&, int);
  };
  static const Edit edits[] = {
      {"FLIP HORZ", "Mirror the sprite left to right", FlipSpriteHorizontal},
      {"FLIP VERT", "Mirror the sprite top to bottom", FlipSpriteVertical},
      {"ROT 90+", "Turn the sprite a quarter clockwise", RotateSpriteClockwise90},
      {"ROT 90-", "Turn the sprite a quarter counter-clockwise", RotateSpriteCounterClockwise90},
      {"ROT 45+", "Turn the sprite 45 degrees clockwise",
       [](Sprite& sprite, int side) { RotateSprite45(sprite, side, true); }},
      {"ROT 45-", "Turn the sprite 45 degrees counter-clockwise",
       [](Sprite& sprite, int side) { RotateSprite45(sprite, side, false); }},
      {"ROT 180", "Turn the sprite half way round", RotateSprite180},
  };
  for (const Edit& edit : edits) {
    ImGui::Spacing();
    if (EditButton(edit.label, kToolButton)) edit.apply(SelectedSprite(), Side());
    ImGui::SetItemTooltip("%s", edit.tooltip);
  }
  ImGui::Spacing();
  if (ImGui::Button("CLEAR EDIT", kToolButton)) ImGui::OpenPopup(kClearPopup);
  ImGui::SetItemTooltip("Clear every pixel of the sprite (asks first)");
  DrawClearConfirmation();
  ImGui::EndGroup();
  if (state.showBoundary && Side() == kSpriteSize) DrawCentreCross(origin);
}

void DrawSpriteSizeChoice(ImVec2 origin) {
  static const struct {
    const char* label;
    SpriteSize size;
  } choices[] = {
      {"16 x 16", {16, false}}, {"16 x 16 MAG", {16, true}}, {"8 x 8", {8, false}}, {"8 x 8 MAG", {8, true}}};
  ImGui::SetCursorScreenPos(At(origin, 625, 480));
  ImGui::TextUnformatted("Sprite size");
  ImGui::SetCursorScreenPos(At(origin, 625, 498));
  ImGui::SetNextItemWidth(110);
  const char* shown = "";
  for (const auto& choice : choices)
    if (choice.size == project.spriteSize) shown = choice.label;
  if (ImGui::BeginCombo("##SpriteSize", shown)) {
    for (const auto& choice : choices) {
      if (!ImGui::Selectable(choice.label, choice.size == project.spriteSize) || choice.size == project.spriteSize)
        continue;
      std::string error;
      const Project before = project;
      if (!ChangeSpriteSize(project, choice.size, error)) {
        ShowNotice(error);
        continue;
      }
      KeepSelectionThroughResize(spriteStudio, before, project);
      NameNextEdit("sprite size");
      ShowNotice(std::string("Every screen shows ") + choice.label + " sprites" +
                 (project.metasprites.empty() ? "" : "; the metasprites are cut into parts of that size"));
    }
    ImGui::EndCombo();
  }
  ImGui::SetItemTooltip("The chip shows one sprite size on every screen: 16 x 16 or 8 x 8, MAG doubling each pixel");
}
