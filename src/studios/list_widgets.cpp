#include "studios/list_widgets.h"

#include <cstdarg>

#include "app/drag_payload.h"
#include "imgui.h"

NamedRowEvents NamedListRow(int index, const char* name, bool selected, const char* payloadType) {
  NamedRowEvents events;
  ImGui::PushID(index);
  events.clicked = ImGui::Selectable(name, selected);
  OfferDragPayload(payloadType, &index, sizeof index, "Moving %s", name);
  if (int from; TakeDropPayload(payloadType, &from, sizeof from)) events.droppedFrom = from;
  ImGui::PopID();
  return events;
}

bool ConfirmYesCancel(const char* popupId, const char* format, ...) {
  if (!ImGui::BeginPopupModal(popupId, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return false;
  va_list args;
  va_start(args, format);
  ImGui::TextV(format, args);
  va_end(args);
  const bool yes = ImGui::Button("YES", ImVec2(60, 0));
  if (yes) ImGui::CloseCurrentPopup();
  ImGui::SameLine();
  if (ImGui::Button("CANCEL", ImVec2(60, 0))) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
  return yes;
}
