#include "app/int_payload.h"

#include <cstdarg>
#include <cstring>

#include "imgui.h"

void IntDragSource(const char* type, int value, const char* tooltipFormat, ...) {
  if (!ImGui::BeginDragDropSource()) return;
  ImGui::SetDragDropPayload(type, &value, sizeof value);
  va_list args;
  va_start(args, tooltipFormat);
  ImGui::TextV(tooltipFormat, args);
  va_end(args);
  ImGui::EndDragDropSource();
}

bool IntDropTarget(const char* type, int& value) {
  if (!ImGui::BeginDragDropTarget()) return false;
  const ImGuiPayload* payload = ImGui::AcceptDragDropPayload(type);
  const bool dropped = payload && payload->DataSize == sizeof value;
  if (dropped) std::memcpy(&value, payload->Data, sizeof value);
  ImGui::EndDragDropTarget();  // a delivered payload is cleared here
  return dropped;
}
