// The command column with its popups, the name field and the sprite list.
#include <algorithm>

#include "widgets/drag_payload.h"
#include "model/history.h"
#include "widgets/edit_button.h"
#include "widgets/list_widgets.h"
#include "widgets/notice.h"
#include "widgets/pixel_art.h"
#include "studios/sprite/sprite_list_actions.h"
#include "studios/sprite/sprite_studio_panels.h"

namespace {
constexpr const char* kClearNamesPopup = "ConfirmClearNames";
constexpr const char* kImportPopup = "Import Sprites###BulkImportSprites";
constexpr int kShownRows = 256;
constexpr float kRowHeight = 44;
const ImVec4 kHintGrey(0.7f, 0.7f, 0.7f, 1.0f);

void DrawClearNamesPopup() {
  if (!ImGui::BeginPopup(kClearNamesPopup)) return;
  ImGui::TextUnformatted("Clear all names?");
  const PopupAnswer answer = DrawPopupButtons("Yes", nullptr, "No", 60);
  if (answer == PopupAnswer::Confirm) {
    ClearSprites(spriteStudio, sprites());
    NameNextEdit("CLEAR SPRITES");
  }
  if (answer != PopupAnswer::None) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

void DrawImportPopup() {
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal(kImportPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::TextUnformatted("How should the clipboard be parsed?");
  ImGui::TextColored(kHintGrey, "Token: Looks for 'DB' lines (Assembly style)");
  ImGui::TextColored(kHintGrey, "Raw Hex: Reads pure hex pairs (Binary style)");
  ImGui::Separator();
  if (ImGui::Button("TOKEN (DB)", ImVec2(100, 25))) {
    ShowNotice(ImportSpritesToken(spriteStudio, sprites(), ImGui::GetClipboardText()));
    NameNextEdit("IMPORT SPRITES");
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("RAW HEX", ImVec2(100, 25))) {
    ShowNotice(ImportSpritesRawHex(spriteStudio, sprites(), ImGui::GetClipboardText()));
    NameNextEdit("IMPORT SPRITES");
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("CANCEL", ImVec2(80, 25))) ImGui::CloseCurrentPopup();
  CloseOnEscape();
  ImGui::EndPopup();
}

// A 32 x 32 picture of the sprite and its name over the row; the name red
// where the sprite lies past the chip's pattern table.
void DrawRowContents(const Sprite& sprite, ImVec2 row, bool shown) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  DrawSpritePixels(draw, sprite, project.spriteSize.side, ImVec2(row.x + 5, row.y + 4), 2);
  draw->AddText(ImVec2(row.x + 45, row.y + 15), shown ? IM_COL32(255, 255, 255, 255) : IM_COL32(255, 90, 90, 255),
                sprite.name);
}
}  // namespace

void DrawSpriteCommands(ImVec2 origin) {
  SpriteStudioState& state = spriteStudio;
  const ImVec2 button(120, 25);
  ImGui::SetCursorScreenPos(At(origin, 1454, 60));
  ImGui::BeginGroup();
  if (EditButton("ADD SPRITE", button)) AddSprite(state, sprites());
  ImGui::SetItemTooltip("Add a blank sprite at the end of the list");
  if (EditButton("DEL SPRITE", button)) ShowNotice(DeleteSprite(state, project));
  ImGui::SetItemTooltip("Delete the selected sprite");
  if (ImGui::Button("CLEAR SPRITES", button)) ImGui::OpenPopup(kClearNamesPopup);
  ImGui::SetItemTooltip("Replace every sprite with one blank sprite (asks first)");
  if (ImGui::Button("IMPORT\nSPRITES", ImVec2(120, 42))) ImGui::OpenPopup(kImportPopup);
  ImGui::SetItemTooltip("Read 32-byte sprite patterns from the clipboard");
  DrawClearNamesPopup();
  DrawImportPopup();
  ImGui::EndGroup();
}

void DrawSpriteList(ImVec2 origin) {
  SpriteStudioState& state = spriteStudio;
  std::vector<Sprite>& list = sprites();
  ImGui::SetCursorScreenPos(At(origin, 1584, 40));
  ImGui::BeginGroup();
  ImGui::TextUnformatted("Sprite Name");
  ImGui::Spacing();
  if (!list.empty()) {
    ImGui::SetNextItemWidth(200);
    if (ImGui::InputText("##Spritesetrename", SelectedSprite().name, kNameSize)) NameNextEdit("rename");
  }
  if (ImGui::BeginListBox("##SpriteSetsList", ImVec2(200, 854))) {
    for (int i = 0; i < std::min(static_cast<int>(list.size()), kShownRows); ++i) {
      ImGui::PushID(i);
      const bool clicked = ImGui::Selectable("##row", i == state.selectedSprite, 0, ImVec2(0, kRowHeight));
      OfferDragPayload(kSpriteRowPayload, &i, sizeof i, "Moving %s", list[i].name);
      if (clicked || DroppedOnItself()) SelectSprite(state, list, i);
      if (int from; TakeDropPayload(kSpriteRowPayload, &from, sizeof from)) {
        MoveSprite(state, project, from, i);
        NameNextEdit("sprite move");
      }
      const bool shown = project.spriteSize.Holds(i);
      if (!shown)
        ImGui::SetItemTooltip("Sprite %d is past the %d sprites the chip's pattern table holds at %d x %d: "
                              "the machine cannot show it, and the exports refuse it",
                              i, project.spriteSize.PatternTableSprites(), project.spriteSize.side,
                              project.spriteSize.side);
      // Rows scrolled out of the list box draw nothing.
      if (ImGui::IsItemVisible()) DrawRowContents(list[i], ImGui::GetItemRectMin(), shown);
      ImGui::PopID();
    }
    ImGui::EndListBox();
  }
  ImGui::EndGroup();
}
