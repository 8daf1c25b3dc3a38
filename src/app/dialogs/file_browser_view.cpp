#include "app/dialogs/file_browser.h"
#include "imgui.h"

namespace {
constexpr float kButtonWidth = 120.0f;
constexpr const char* kOverwritePopup = "Replace file?";

void DrawEntries(FileBrowserState& state) {
  const float footer = ImGui::GetFrameHeightWithSpacing() * 3;
  if (!ImGui::BeginListBox("##Entries", ImVec2(-1, -footer))) return;
  // Entering a folder rebuilds the lists, so act after drawing them.
  std::string enter, pick;
  bool confirm = false;
  for (const std::string& folder : state.folders) {
    const std::string label = "[folder] " + folder;
    if (ImGui::Selectable(label.c_str(), false, ImGuiSelectableFlags_AllowDoubleClick)) enter = folder;
  }
  for (const std::string& file : state.files) {
    if (ImGui::Selectable(file.c_str(), file == state.fileName, ImGuiSelectableFlags_AllowDoubleClick)) {
      pick = file;
      confirm = ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left);
    }
  }
  ImGui::EndListBox();
  if (!enter.empty()) EnterFolder(state, enter);
  if (!pick.empty()) {
    PickFile(state, pick);
    if (confirm) ConfirmFileName(state);
  }
}

void DrawOverwriteQuestion(FileBrowserState& state) {
  if (state.askOverwrite && !ImGui::IsPopupOpen(kOverwritePopup)) ImGui::OpenPopup(kOverwritePopup);
  if (!ImGui::BeginPopupModal(kOverwritePopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::Text("\"%s\" already exists.\nDo you want to replace it?", SavedPath(state).filename().string().c_str());
  if (ImGui::Button("Yes", ImVec2(kButtonWidth, 0))) {
    AnswerOverwrite(state, true);
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("No", ImVec2(kButtonWidth, 0)) || ImGui::IsKeyPressed(ImGuiKey_Escape)) {
    AnswerOverwrite(state, false);
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}
}  // namespace

void DrawFileBrowser(FileBrowserState& state) {
  const ImGuiViewport* viewport = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos(viewport->Pos);
  ImGui::SetNextWindowSize(viewport->Size);
  const ImGuiWindowFlags flags =
      ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings;
  if (!ImGui::Begin("##FileBrowser", nullptr, flags)) {
    ImGui::End();
    return;
  }
  ImGui::TextUnformatted(state.save ? "Save File" : "Open File");
  if (ImGui::Button("Up")) GoUp(state);
  ImGui::SameLine();
  ImGui::TextUnformatted(state.directory.c_str());

  const char* current = state.filters.empty() ? "" : state.filters[state.filterIndex].description;
  if (ImGui::BeginCombo("##Filter", current)) {
    for (int i = 0; i < static_cast<int>(state.filters.size()); ++i)
      if (ImGui::Selectable(state.filters[i].description, i == state.filterIndex)) ChooseFilter(state, i);
    ImGui::EndCombo();
  }

  DrawEntries(state);

  if (state.focusFileName) {
    ImGui::SetKeyboardFocusHere();
    state.focusFileName = false;
  }
  const bool entered =
      ImGui::InputText("File name", state.fileName, kFileNameCapacity, ImGuiInputTextFlags_EnterReturnsTrue);
  if (ImGui::Button(state.save ? "Save" : "Open", ImVec2(kButtonWidth, 0)) || entered) ConfirmFileName(state);
  ImGui::SameLine();
  if (ImGui::Button("Cancel", ImVec2(kButtonWidth, 0))) CancelFileBrowser(state);
  if (!state.message.empty()) {
    ImGui::SameLine();
    ImGui::TextColored(ImVec4(1.0f, 0.4f, 0.4f, 1.0f), "%s", state.message.c_str());
  }

  // Escape in the question only closes the question.
  const bool asking = state.askOverwrite || ImGui::IsPopupOpen(kOverwritePopup);
  DrawOverwriteQuestion(state);
  if (!asking && ImGui::IsKeyPressed(ImGuiKey_Escape)) CancelFileBrowser(state);
  ImGui::End();
}
