#include "app/main_menu.h"

#include "app/file_dialog.h"
#include "app/file_names.h"
#include "imgui.h"
#include "model/project.h"
#include "storage/data_export.h"
#include "storage/project_file.h"

MainMenuState mainMenu;

namespace {
constexpr float kPopupButtonWidth = 120.0f;
constexpr const char* kNewProjectPopup = "New Project?";
constexpr const char* kErrorPopup = "Error";

void ReportFailure(const char* action, const std::string& path, FileResult result) {
  if (result == FileResult::Ok) return;
  mainMenu.errorMessage =
      std::string("Could not ") + action + " \"" + path + "\":\n" + DescribeFileResult(result) + ".";
}

void Export(const FileFilters& filters, const char* extension, const char* linePrefix) {
  const std::string chosen = ShowFileDialog(filters, lastDirectory, true);
  if (chosen.empty()) return;
  const std::string path = WithExportExtension(chosen, extension);
  ReportFailure("export", path, WriteExport(path, linePrefix));
}

void DrawNewProjectPopup() {
  if (!mainMenu.newProjectRequested) return;
  ImGui::OpenPopup(kNewProjectPopup);
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal(kNewProjectPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::TextUnformatted(
      "Start a new project?\nAll tiles, sprites and name tables will be cleared.\nThis cannot be undone.");
  if (ImGui::Button("Yes", ImVec2(kPopupButtonWidth, 0))) {
    ResetProject();
    mainMenu.newProjectRequested = false;
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("Cancel", ImVec2(kPopupButtonWidth, 0))) {
    mainMenu.newProjectRequested = false;
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

void DrawErrorPopup() {
  if (mainMenu.errorMessage.empty()) return;
  ImGui::OpenPopup(kErrorPopup);
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal(kErrorPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::TextUnformatted(mainMenu.errorMessage.c_str());
  if (ImGui::Button("OK", ImVec2(kPopupButtonWidth, 0))) {
    mainMenu.errorMessage.clear();
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}
}  // namespace

void LoadProjectCommand() {
  const std::string path = ShowFileDialog(kLoadProjectFilters, lastDirectory, false);
  if (path.empty()) return;
  lastDirectory = ParentDirectory(path);
  // Only ".krv" files load, letter case included; another choice does nothing.
  if (FileExtension(path) != ".krv") return;
  ReportFailure("load", path, LoadProject(path));
}

void SaveProjectCommand() {
  const std::string chosen = ShowFileDialog(kSaveProjectFilters, lastDirectory, true);
  if (chosen.empty()) return;
  const std::string path = WithProjectExtension(chosen);
  ReportFailure("save", path, SaveProject(path));
}

void ExportAssembly() { Export(kAssemblyFilters, ".asm", kAssemblyLinePrefix); }

void ExportBasic() { Export(kBasicFilters, ".bas", kBasicLinePrefix); }

void DrawMainMenu(bool& running) {
  if (ImGui::BeginMainMenuBar()) {
    if (ImGui::BeginMenu("File")) {
      if (ImGui::MenuItem("New", "Ctrl+N")) mainMenu.newProjectRequested = true;
      if (ImGui::MenuItem("Load Project...", "Ctrl+O")) LoadProjectCommand();
      if (ImGui::MenuItem("Save Project", "Ctrl+S")) SaveProjectCommand();
      if (ImGui::BeginMenu("Save As...")) {
        if (ImGui::MenuItem("Assembly (.asm)")) ExportAssembly();
        if (ImGui::MenuItem("BASIC (.bas)")) ExportBasic();
        ImGui::EndMenu();
      }
      ImGui::Separator();
      if (ImGui::MenuItem("Exit", "Alt+F4")) running = false;
      ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("About")) {
      ImGui::TextColored(ImVec4(1.0f, 1.0f, 0.5f, 1.0f),
                         "v60.20863  Tessellary, a graphics editor for TMS9918A machines");
      ImGui::EndMenu();
    }
    ImGui::EndMainMenuBar();
  }
  DrawNewProjectPopup();
  DrawErrorPopup();
}
