#include "app/shell/main_menu.h"

#include <filesystem>
#include <string>

#include "app/emulator/emulator_commands.h"
#include "app/emulator/emulator_session.h"
#include "app/export/export_commands.h"
#include "app/import/import_commands.h"
#include "app/import/import_picture.h"
#include "app/import/import_sprite_sheet.h"
#include "app/recovery/recovery.h"
#include "app/shell/project_commands.h"
#include "imgui.h"
#include "imgui_internal.h"
#include "model/history.h"
#include "storage/utf8_path.h"
#include "widgets/list_widgets.h"

namespace {
constexpr const char* kSaveChangesPopup = "Unsaved Changes";
constexpr const char* kErrorPopup = "Error";
constexpr const char* kRecoveryPopup = "Recover Work";

void CentreNextPopup() {
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
}

void DrawSaveChangesPopup() {
  if (session.pending == GuardedCommand::None) return;
  ImGui::OpenPopup(kSaveChangesPopup);
  CentreNextPopup();
  if (!ImGui::BeginPopupModal(kSaveChangesPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  if (session.currentPath.empty())
    ImGui::TextUnformatted("Save changes to the untitled project?");
  else
    ImGui::Text("Save changes to %s?", Utf8Text(Utf8Path(session.currentPath).filename()).c_str());
  const PopupAnswer answer = DrawPopupButtons("Save", "Don't Save", "Cancel");
  if (answer != PopupAnswer::None) {
    ImGui::CloseCurrentPopup();
    AnswerSaveChanges(answer == PopupAnswer::Confirm ? SaveAnswer::Save
                      : answer == PopupAnswer::Other ? SaveAnswer::DontSave
                                                     : SaveAnswer::Cancel);
  }
  ImGui::EndPopup();
}

void DrawErrorPopup() {
  if (session.errorMessage.empty()) return;
  ImGui::OpenPopup(kErrorPopup);
  CentreNextPopup();
  if (!ImGui::BeginPopupModal(kErrorPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::TextUnformatted(session.errorMessage.c_str());
  if (DrawPopupButtons("OK", nullptr, nullptr) != PopupAnswer::None) {
    session.errorMessage.clear();
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

// After the error popup, which may report a damaged copy, so that one modal opens at a time.
void DrawRecoveryPopup() {
  if (recovery.offer.id.empty() || !session.errorMessage.empty()) return;
  ImGui::OpenPopup(kRecoveryPopup);
  CentreNextPopup();
  if (!ImGui::BeginPopupModal(kRecoveryPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::TextUnformatted(RecoveryQuestion(recovery.offer).c_str());
  const PopupAnswer answer = DrawPopupButtons("Recover", "Discard", "Not Now");
  if (answer != PopupAnswer::None) {
    ImGui::CloseCurrentPopup();
    AnswerRecovery(recovery, answer == PopupAnswer::Confirm ? RecoveryAnswer::Recover
                             : answer == PopupAnswer::Other ? RecoveryAnswer::Discard
                                                            : RecoveryAnswer::NotNow);
  }
  ImGui::EndPopup();
}

void DrawRecentMenu() {
  if (!ImGui::BeginMenu("Recent", !session.recentFiles.empty())) return;
  std::string clicked;
  for (const std::string& path : session.recentFiles) {
    std::error_code error;
    const bool present = std::filesystem::is_regular_file(Utf8Path(path), error);
    if (!present) ImGui::PushStyleColor(ImGuiCol_Text, ImGui::GetStyleColorVec4(ImGuiCol_TextDisabled));
    if (ImGui::MenuItem(path.c_str())) clicked = path;
    if (!present) ImGui::PopStyleColor();
  }
  ImGui::EndMenu();
  if (clicked.empty()) return;
  std::error_code error;
  if (std::filesystem::is_regular_file(Utf8Path(clicked), error))
    RequestLoadProject(clicked);
  else
    ForgetRecentFile(session.recentFiles, clicked);
}

void DrawFileMenu() {
  if (!ImGui::BeginMenu("File")) return;
  if (ImGui::MenuItem("New", "Ctrl+N")) RequestNewProject();
  if (ImGui::MenuItem("Load Project...", "Ctrl+O")) RequestLoadProject();
  DrawRecentMenu();
  if (ImGui::MenuItem("Save Project", "Ctrl+S")) SaveProjectCommand();
  if (ImGui::MenuItem("Save Project As...")) SaveProjectAsCommand();
  if (ImGui::MenuItem("Export...")) exportWindow.open = true;
  ImGui::SetItemTooltip("The project's export targets, set up once and written together");
  if (ImGui::MenuItem("Export Again", "Ctrl+E")) ExportAgain();
  if (ImGui::BeginMenu("Export")) {
    const std::pair<const char*, ExportFormat> once[] = {{"Assembly (.asm)", ExportFormat::Assembly},
                                                         {"BASIC (.bas)", ExportFormat::CvBasic},
                                                         {"C Header (.h)", ExportFormat::CHeader},
                                                         {"MSX-BASIC (.bas)", ExportFormat::MsxBasic},
                                                         {"TI-99/4A (.a99)", ExportFormat::Ti99},
                                                         {"Sprite Attributes...", ExportFormat::SpriteAttributes},
                                                         {"Binary Tables...", ExportFormat::BinaryTables},
                                                         {"SCREEN 2 Files...", ExportFormat::Screen2},
                                                         {"PNG...", ExportFormat::Png},
                                                         {"Aseprite File...", ExportFormat::Aseprite}};
    for (const auto& [label, format] : once)
      if (ImGui::MenuItem(label)) ExportOnce(format);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Import")) {
    if (ImGui::MenuItem("PNG Image...")) ImportPngCommand();
    if (ImGui::MenuItem("Screen File (SCREEN 0-3)...")) ImportScreenFileCommand();
    if (ImGui::MenuItem("Sprite Sheet...")) ImportSpriteSheetCommand();
    if (ImGui::MenuItem("Tiled Map...")) ImportTiledMapCommand();
    if (ImGui::MenuItem("Aseprite File...")) ImportAsepriteCommand();
    ImGui::EndMenu();
  }
  ImGui::Separator();
  if (ImGui::MenuItem("Exit", "Alt+F4")) RequestExit();
  ImGui::EndMenu();
}

void DrawEditMenu() {
  if (!ImGui::BeginMenu("Edit")) return;
  const std::string undo = CanUndo(history) ? "Undo " + UndoName(history) : "Undo";
  const std::string redo = CanRedo(history) ? "Redo " + RedoName(history) : "Redo";
  if (ImGui::MenuItem(undo.c_str(), "Ctrl+Z", false, CanUndo(history))) UndoCommand();
  if (ImGui::MenuItem(redo.c_str(), "Ctrl+Y", false, CanRedo(history))) RedoCommand();
  ImGui::EndMenu();
}
void DrawRunMenu() {
  if (!ImGui::BeginMenu("Run")) return;
  if (ImGui::MenuItem("Run on Emulator", "F5")) RunOnEmulatorCommand();
  ImGui::SetItemTooltip("The current name table on the emulated machine (openMSX), following your changes live");
  if (ImGui::MenuItem("Play Map", "Shift+F5", false, !project.maps.empty())) PlayMapCommand();
  ImGui::SetItemTooltip(
      "The Map Studio's map as a game on the emulated machine: walk through it with the cursor keys, "
      "your changes following it live");
  if (ImGui::MenuItem("Stop Emulator", nullptr, false, emulator.running)) StopEmulatorCommand();
  ImGui::Separator();
  if (ImGui::MenuItem("MSX1 with C-BIOS", nullptr, emulator.machine == Machine::Msx1))
    ChooseEmulatorMachine(Machine::Msx1);
  if (ImGui::MenuItem("SG-1000", nullptr, emulator.machine == Machine::Sg1000)) ChooseEmulatorMachine(Machine::Sg1000);
  ImGui::EndMenu();
}
}  // namespace

void HandleShortcuts() {
  // Every chord is asked for in every frame: Dear ImGui grants a shortcut's route
  // for the frame after it was asked for, so a frame that skipped asking (a text
  // field just closed with Return, a menu just shut) would drop a quick tap.
  const ImGuiInputFlags flags = ImGuiInputFlags_RouteGlobal;
  const bool undo = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiKey_Z, flags);
  const bool redo = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiKey_Y, flags);
  const bool redoShifted = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiMod_Shift | ImGuiKey_Z, flags);
  const bool newProject = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiKey_N, flags);
  const bool load = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiKey_O, flags);
  const bool save = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiKey_S, flags);
  const bool exportAgain = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiKey_E, flags);
  const bool run = ImGui::Shortcut(ImGuiKey_F5, flags);
  const bool play = ImGui::Shortcut(ImGuiMod_Shift | ImGuiKey_F5, flags);
  if (ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId)) {
    // Escape shuts an open menu (a modal question keeps its own buttons).
    if (ImGui::IsKeyPressed(ImGuiKey_Escape, false)) ImGui::ClosePopupsExceptModals();
    return;
  }
  if (TextFieldActive()) return;  // the field's own keys
  if (undo) UndoCommand();
  if (redo || redoShifted) RedoCommand();
  if (newProject) RequestNewProject();
  if (load) RequestLoadProject();
  if (save) SaveProjectCommand();
  if (exportAgain) ExportAgain();
  if (run) RunOnEmulatorCommand();
  if (play) PlayMapCommand();
}

void DrawMainMenu() {
  if (ImGui::BeginMainMenuBar()) {
    DrawFileMenu();
    DrawEditMenu();
    DrawRunMenu();
    if (ImGui::BeginMenu("About")) {
      ImGui::TextColored(ImVec4(1.0f, 1.0f, 0.5f, 1.0f),
                         "v60.20863  Tessellary, a graphics editor for TMS9918A machines");
      ImGui::EndMenu();
    }
    ImGui::EndMainMenuBar();
  }
  DrawSaveChangesPopup();
  DrawErrorPopup();
  DrawRecoveryPopup();
}
