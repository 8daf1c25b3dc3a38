#include "widgets/list_widgets.h"

#include <cstdarg>

#include "widgets/drag_payload.h"
#include "imgui.h"

NamedRowEvents NamedListRow(int index, const char* name, bool selected, const char* payloadType) {
  NamedRowEvents events;
  ImGui::PushID(index);
  events.clicked = ImGui::Selectable(name, selected);
  OfferDragPayload(payloadType, &index, sizeof index, "Moving %s", name);
  events.clicked |= DroppedOnItself();
  if (int from; TakeDropPayload(payloadType, &from, sizeof from)) events.droppedFrom = from;
  ImGui::PopID();
  return events;
}

PopupAnswer DrawPopupButtons(const char* confirm, const char* other, const char* cancel, float width) {
  const ImVec2 size(width, 0);
  PopupAnswer answer = PopupAnswer::None;
  if (ImGui::Button(confirm, size)) answer = PopupAnswer::Confirm;
  if (other) {
    ImGui::SameLine();
    if (ImGui::Button(other, size)) answer = PopupAnswer::Other;
  }
  if (cancel) {
    ImGui::SameLine();
    if (ImGui::Button(cancel, size)) answer = PopupAnswer::Cancel;
  }
  if (answer != PopupAnswer::None) return answer;
  if (ImGui::IsKeyPressed(ImGuiKey_Enter, false) || ImGui::IsKeyPressed(ImGuiKey_KeypadEnter, false))
    return PopupAnswer::Confirm;
  if (ImGui::IsKeyPressed(ImGuiKey_Escape, false)) return cancel ? PopupAnswer::Cancel : PopupAnswer::Confirm;
  return PopupAnswer::None;
}

void CloseOnEscape() {
  if (ImGui::IsKeyPressed(ImGuiKey_Escape, false)) ImGui::CloseCurrentPopup();
}

bool ConfirmYesCancel(const char* popupId, const char* format, ...) {
  if (!ImGui::BeginPopupModal(popupId, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return false;
  va_list args;
  va_start(args, format);
  ImGui::TextV(format, args);
  va_end(args);
  const PopupAnswer answer = DrawPopupButtons("YES", nullptr, "CANCEL", 60);
  if (answer != PopupAnswer::None) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
  return answer == PopupAnswer::Confirm;
}
