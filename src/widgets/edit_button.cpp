#include "widgets/edit_button.h"

#include <string>

#include "imgui_internal.h"
#include "model/history.h"

bool EditButton(const char* label, const ImVec2& size) {
  if (!ImGui::Button(label, size)) return false;
  std::string name(label, ImGui::FindRenderedTextEnd(label));
  for (char& c : name)
    if (c == '\n') c = ' ';
  NameNextEdit(name.c_str());
  return true;
}

bool ShiftButton(const char* id, ImGuiDir direction) {
  if (!ImGui::ArrowButton(id, direction)) return false;
  NameNextEdit("shift");
  return true;
}
