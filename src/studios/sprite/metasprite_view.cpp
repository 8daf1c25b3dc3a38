// The metasprite editor under the sprite canvas: the metasprite list, one
// picture painted in any colour (the parts follow), and beside it what the
// chip will make of it: the sprites on each line, the parts, the shared ones.
#include <algorithm>
#include <iterator>
#include <string>

#include "chip/sprite_attributes.h"
#include "model/history.h"
#include "studios/sprite/metasprite_actions.h"
#include "studios/sprite/sprite_studio_panels.h"
#include "widgets/drag_payload.h"
#include "widgets/edit_button.h"
#include "widgets/notice.h"

namespace {
constexpr ImVec2 kListOrigin{20, 530};
constexpr ImVec2 kPictureOrigin{200, 560};
constexpr float kPixel = 6;                          // screen pixels a metasprite pixel
constexpr float kLineBarsX = 200 + 64 * kPixel + 8;  // the sprites-per-line bars, right of the picture
constexpr float kBarPerSprite = 9;

// The sprite edits, for the whole picture: two buttons a row.
void DrawMoveButtons() {
  if (spriteStudio.currentMetasprite < 0) return;
  static const struct {
    const char* label;
    const char* tooltip;
    MetaspriteMove move;
  } kMoves[] = {
      {"FLIP HORZ##meta", "Mirror the metasprite left to right", MetaspriteMove::FlipHorizontal},
      {"FLIP VERT##meta", "Mirror the metasprite top to bottom", MetaspriteMove::FlipVertical},
      {"ROT 90+##meta", "Turn the metasprite a quarter clockwise (a square one)", MetaspriteMove::RotateClockwise},
      {"ROT 90-##meta", "Turn the metasprite a quarter counter-clockwise (a square one)",
       MetaspriteMove::RotateCounterClockwise},
      {"LEFT##meta", "Shift the metasprite left one pixel", MetaspriteMove::Left},
      {"RIGHT##meta", "Shift the metasprite right one pixel", MetaspriteMove::Right},
      {"UP##meta", "Shift the metasprite up one pixel", MetaspriteMove::Up},
      {"DOWN##meta", "Shift the metasprite down one pixel", MetaspriteMove::Down},
  };
  for (std::size_t i = 0; i < std::size(kMoves); ++i) {
    if (i % 2) ImGui::SameLine(0, 4);
    if (ImGui::Button(kMoves[i].label, ImVec2(78, 20))) {
      std::string error;
      if (MoveMetaspritePicture(spriteStudio, project, kMoves[i].move, error))
        NameNextEdit("metasprite move");
      else
        ShowNotice(error);
    }
    ImGui::SetItemTooltip("%s", kMoves[i].tooltip);
  }
}

void DrawMetaspriteList(ImVec2 origin) {
  SpriteStudioState& state = spriteStudio;
  ImGui::SetCursorScreenPos(At(origin, kListOrigin.x, kListOrigin.y));
  ImGui::BeginGroup();
  ImGui::TextUnformatted("Metasprites");
  if (ImGui::BeginListBox("##Metasprites", ImVec2(160, 210))) {
    for (int i = 0; i < static_cast<int>(project.metasprites.size()); ++i) {
      ImGui::PushID(i);
      if (ImGui::Selectable(project.metasprites[i].name, i == state.currentMetasprite)) state.currentMetasprite = i;
      OfferDragPayload(kMetaspriteRowPayload, &i, sizeof i, "Animating %s", project.metasprites[i].name);
      ImGui::PopID();
    }
    ImGui::EndListBox();
  }
  const ImVec2 button(160, 22);
  if (EditButton("ADD METASPRITE", button)) ShowNotice(AddMetasprite(state, project));
  ImGui::SetItemTooltip("Add a 32 x 32 metasprite to paint in any colours");
  if (EditButton("DEL METASPRITE", button)) ShowNotice(DeleteMetasprite(state, project));
  ImGui::SetItemTooltip("Delete the metasprite; its sprites stay in the sprite list");
  if (state.currentMetasprite >= 0) {
    ImGui::SetNextItemWidth(160);
    if (ImGui::InputText("##MetaspriteName", project.metasprites[state.currentMetasprite].name, kNameSize))
      NameNextEdit("metasprite rename");
  }
  DrawMoveButtons();
  ImGui::EndGroup();
}

void DrawColourChoice(ImVec2 origin) {
  SpriteStudioState& state = spriteStudio;
  ImGui::SetCursorScreenPos(At(origin, kPictureOrigin.x, kPictureOrigin.y - 30));
  for (int colour = 1; colour < 16; ++colour) {
    if (colour > 1) ImGui::SameLine(0, 2);
    ImGui::PushID(colour);
    if (ImGui::ColorButton("##metacolour", ImGui::ColorConvertU32ToFloat4(Palette[colour]),
                           ImGuiColorEditFlags_NoTooltip | ImGuiColorEditFlags_NoDragDrop, ImVec2(22, 22)))
      state.metaspriteColour = colour;
    ImGui::SetItemTooltip("Paint in %d %s (the right button erases)", colour, ColourNames[colour]);
    if (state.metaspriteColour == colour) OutlineLastItem(2);
    ImGui::PopID();
  }
}

void DrawSizeChoice(ImVec2 origin, const Metasprite& metasprite) {
  int size[2] = {metasprite.width, metasprite.height};
  for (int axis = 0; axis < 2; ++axis) {
    ImGui::SetCursorScreenPos(At(origin, kPictureOrigin.x + 200 * axis, kPictureOrigin.y + 64 * kPixel + 8));
    ImGui::SetNextItemWidth(80);
    if (!ImGui::BeginCombo(axis ? "Height" : "Width", std::to_string(size[axis]).c_str())) continue;
    for (int choice = project.spriteSize.side; choice <= kMaxMetaspriteSide; choice += project.spriteSize.side)
      if (ImGui::Selectable(std::to_string(choice).c_str(), choice == size[axis])) {
        size[axis] = choice;
        std::string error;
        if (ResizeMetasprite(spriteStudio, project, size[0], size[1], error))
          NameNextEdit("metasprite size");
        else
          ShowNotice(error);
      }
    ImGui::EndCombo();
  }
}

void DrawPicture(ImVec2 origin, const Metasprite& metasprite) {
  SpriteStudioState& state = spriteStudio;
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 corner = At(origin, kPictureOrigin.x, kPictureOrigin.y);
  const MetaspritePicture picture = DrawMetasprite(metasprite, project.sprites, project.spriteSize.side);
  draw->AddRectFilled(corner, ImVec2(corner.x + 64 * kPixel, corner.y + 64 * kPixel), IM_COL32(20, 20, 20, 255));
  for (int y = 0; y < metasprite.height; ++y)
    for (int x = 0; x < metasprite.width; ++x) {
      const ImVec2 at(corner.x + x * kPixel, corner.y + y * kPixel);
      draw->AddRectFilled(at, ImVec2(at.x + kPixel, at.y + kPixel),
                          picture.pixels[y][x] ? Palette[picture.pixels[y][x]] : IM_COL32(45, 45, 45, 255));
    }
  const int side = project.spriteSize.side;
  for (int line = side; line < kMaxMetaspriteSide; line += side) {  // the sprite grid
    const float at = line * kPixel;
    if (line < metasprite.width)
      draw->AddLine(ImVec2(corner.x + at, corner.y), ImVec2(corner.x + at, corner.y + metasprite.height * kPixel),
                    IM_COL32(255, 255, 255, 60));
    if (line < metasprite.height)
      draw->AddLine(ImVec2(corner.x, corner.y + at), ImVec2(corner.x + metasprite.width * kPixel, corner.y + at),
                    IM_COL32(255, 255, 255, 60));
  }
  ImGui::SetCursorScreenPos(corner);
  ImGui::InvisibleButton("##metasprite", ImVec2(metasprite.width * kPixel, metasprite.height * kPixel),
                         ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight);
  const bool hovered = ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenBlockedByActiveItem);
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  const GridCell at{static_cast<int>((mouse.y - corner.y) / kPixel), static_cast<int>((mouse.x - corner.x) / kPixel)};
  const bool left = ImGui::IsMouseDown(ImGuiMouseButton_Left), right = ImGui::IsMouseDown(ImGuiMouseButton_Right);
  const bool painting = hovered && !ImGui::GetDragDropPayload() && (left || right);
  std::string error;
  FollowStroke(state.metaspriteStroke, painting, at, [&](GridCell cell) {
    if (error.empty() &&
        !PaintMetasprite(state, project, cell.column, cell.row, right ? 0 : state.metaspriteColour, error) &&
        !error.empty())
      ShowNotice(error);
  });
  if (painting) NameNextEdit("metasprite stroke");
  if (hovered && !left && !right) ImGui::SetTooltip("%s: x %d, y %d", metasprite.name, at.column, at.row);
}

// The sprites each line needs, red past the chip's four, and the counts.
void DrawChipCounts(ImVec2 origin, const Metasprite& metasprite) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const std::vector<int> lines = SpritesPerLine(metasprite, project.spriteSize.side);
  int most = 0, over = 0;
  for (int y = 0; y < static_cast<int>(lines.size()); ++y) {
    const ImVec2 at = At(origin, kLineBarsX, kPictureOrigin.y + y * kPixel);
    draw->AddRectFilled(at, ImVec2(at.x + lines[y] * kBarPerSprite, at.y + kPixel - 1),
                        lines[y] > kSpritesPerLine ? IM_COL32(230, 60, 60, 255) : IM_COL32(90, 160, 90, 255));
    most = std::max(most, lines[y]);
    over += lines[y] > kSpritesPerLine;
  }
  const float limit = At(origin, kLineBarsX + kSpritesPerLine * kBarPerSprite, 0).x;
  draw->AddLine(ImVec2(limit, At(origin, 0, kPictureOrigin.y).y),
                ImVec2(limit, At(origin, 0, kPictureOrigin.y + 64 * kPixel).y), IM_COL32(255, 255, 255, 120));
  ImGui::SetCursorScreenPos(At(origin, kLineBarsX, kPictureOrigin.y + 64 * kPixel + 4));
  ImGui::BeginGroup();
  // One line: the layout ends just below it.
  ImGui::Text("Parts %d, shared %d; most on a line: %d", static_cast<int>(metasprite.parts.size()),
              SharedParts(spriteStudio, project), most);
  ImGui::EndGroup();
  ImGui::SetItemTooltip(
      "Sprites the chip needs: at most 4 show on one line; shared parts are patterns other "
      "metasprites draw from too");
  const int past = static_cast<int>(std::count_if(metasprite.parts.begin(), metasprite.parts.end(),
                                                  [](const MetaspritePart& part) {
                                                    return !project.spriteSize.Holds(part.sprite);
                                                  }));
  if (over > 0 || past > 0) {
    ImGui::SetCursorScreenPos(At(origin, kLineBarsX, kPictureOrigin.y - 26));
    if (past > 0)
      ImGui::TextColored(ImVec4(1, 0.35f, 0.35f, 1), "%d parts past the pattern table's %d sprites", past,
                         project.spriteSize.PatternTableSprites());
    else
      ImGui::TextColored(ImVec4(1, 0.35f, 0.35f, 1), "%d lines over 4 sprites", over);
  }
}
}  // namespace

void DrawMetaspriteEditor(ImVec2 origin) {
  KeepCurrentMetaspriteInRange(spriteStudio, project);
  DrawMetaspriteList(origin);
  if (spriteStudio.currentMetasprite < 0) return;
  const Metasprite& metasprite = project.metasprites[spriteStudio.currentMetasprite];
  DrawColourChoice(origin);
  DrawPicture(origin, project.metasprites[spriteStudio.currentMetasprite]);
  DrawSizeChoice(origin, project.metasprites[spriteStudio.currentMetasprite]);
  DrawChipCounts(origin, metasprite);
}
