#include "widgets/drag_payload.h"

#include <cstdarg>
#include <cstring>

#include "imgui.h"

void OfferDragPayload(const char* type, const void* data, std::size_t size, const char* tooltipFormat, ...) {
  if (!ImGui::BeginDragDropSource()) return;
  ImGui::SetDragDropPayload(type, data, size);
  va_list args;
  va_start(args, tooltipFormat);
  ImGui::TextV(tooltipFormat, args);
  va_end(args);
  ImGui::EndDragDropSource();
}

bool DroppedOnItself() {
  const ImGuiPayload* payload = ImGui::GetDragDropPayload();
  return payload && payload->SourceId == ImGui::GetItemID() && ImGui::IsMouseReleased(ImGuiMouseButton_Left) &&
         ImGui::IsMouseHoveringRect(ImGui::GetItemRectMin(), ImGui::GetItemRectMax());
}

bool TakeDropPayload(const char* type, void* data, std::size_t size) {
  if (!ImGui::BeginDragDropTarget()) return false;
  const ImGuiPayload* payload = ImGui::AcceptDragDropPayload(type);
  const bool dropped = payload && payload->DataSize == static_cast<int>(size);
  if (dropped) std::memcpy(data, payload->Data, size);
  ImGui::EndDragDropTarget();  // a delivered payload is cleared here
  return dropped;
}
