// The Export window (File > Export...): the project's export targets in a list,
// and the selected one's settings below it; and the question after a one-off
// export whether to keep it as a target.
#include "app/export/export_window.h"

#include <algorithm>
#include <cstring>

#include "app/export/export_commands.h"
#include "app/shell/project_commands.h"
#include "imgui.h"
#include "model/history.h"
#include "widgets/list_widgets.h"

namespace {
constexpr const char* kKeepPopup = "Keep Export";
constexpr const char* kTableNames[kExportTableKinds] = {
    "Patterns", "Colours", "Names", "Sprite patterns", "Sprite attributes", "Maps", "Metasprites"};

const char* FormatLabel(int format) { return kExportFormatNames[format]; }

// A checkbox list of a record list's names; a ticked name is in `chosen`.
template <typename Record>
bool DrawNameChoices(const char* title, const std::vector<Record>& records, std::vector<std::string>& chosen) {
  bool changed = false;
  ImGui::BeginGroup();
  ImGui::TextUnformatted(title);
  if (ImGui::BeginChild(title, ImVec2(260, 150), ImGuiChildFlags_Borders)) {
    for (std::size_t i = 0; i < records.size(); ++i) {
      const std::string name = records[i].name;
      const auto at = std::find(chosen.begin(), chosen.end(), name);
      bool ticked = at != chosen.end();
      ImGui::PushID(static_cast<int>(i));
      if (ImGui::Checkbox(name.empty() ? "(unnamed)" : name.c_str(), &ticked)) {
        if (ticked)
          chosen.push_back(name);
        else
          chosen.erase(at);
        changed = true;
      }
      ImGui::PopID();
    }
  }
  ImGui::EndChild();
  ImGui::EndGroup();
  return changed;
}

// sdas's area of the tables: kDefaultArea is kept as no choice, so that the
// project file stays as it was for every target that keeps it.
bool DrawAreaField(ExportTarget& target) {
  char area[33];
  std::snprintf(area, sizeof area, "%s", target.area.empty() ? kDefaultArea : target.area.c_str());
  ImGui::SetNextItemWidth(200);
  const bool changed = ImGui::InputText("Area", area, sizeof area, ImGuiInputTextFlags_CharsNoBlank);
  ImGui::SetItemTooltip("The .area the tables go in, for the linker to place (%s: with the program's code)",
                        kDefaultArea);
  if (changed) target.area = std::strcmp(area, kDefaultArea) == 0 ? "" : area;
  if (!target.area.empty() && !IsAreaName(target.area)) {
    ImGui::SameLine();
    ImGui::TextColored(ImVec4(1, 0.4f, 0.4f, 1), "Not an area name: letters, digits and _, not a digit first");
  }
  return changed;
}

bool DrawFormatOptions(ExportTarget& target) {
  bool changed = false;
  int dialect = static_cast<int>(target.dialect);
  switch (target.format) {
    case ExportFormat::Assembly:
      if ((changed = ImGui::Combo("Assembler", &dialect, "pasmo (db $00)\0sdas (.db 0x00)\0z80asm (defb 0x00)\0")))
        target.dialect = static_cast<AsmDialect>(dialect);
      if (target.dialect == AsmDialect::Sdas) changed |= DrawAreaField(target);
      break;
    case ExportFormat::CHeader:
      changed =
          ImGui::Checkbox("extern declarations in the header, the arrays in a .c file beside it", &target.cExtern);
      break;
    case ExportFormat::MsxBasic:
      changed = ImGui::InputInt("First line", &target.firstLine) | ImGui::InputInt("Step", &target.lineStep);
      target.firstLine = std::clamp(target.firstLine, 0, 65529);
      target.lineStep = std::clamp(target.lineStep, 1, 1000);
      break;
    case ExportFormat::Png:
      changed = ImGui::SliderInt("Scale", &target.scale, 1, 16);
      break;
    default:
      break;
  }
  if (TakesCompression(target.format)) {
    static const char* const kChoices[kCompressions] = {"Not packed", "ZX0", "Pletter"};
    static const char* const kTips[kCompressions] = {
        "The tables as they are", "Each table packed on its own, for the ZX0 decoders of z88dk, MSXgl and others",
        "Each table packed on its own, for CVBasic's DEFINE ... PLETTER and MSXgl"};
    int compression = static_cast<int>(target.compression);
    for (int choice = 0; choice < kCompressions; ++choice) {
      if (choice) ImGui::SameLine();
      changed |= ImGui::RadioButton(kChoices[choice], &compression, choice);
      ImGui::SetItemTooltip("%s", kTips[choice]);
    }
    target.compression = static_cast<Compression>(compression);
    if (target.compression != Compression::None) {
      ImGui::TextUnformatted("Packs");
      ImGui::PushID("packed");
      for (int bit = 0; bit < kExportTableKinds; ++bit) {
        ImGui::SameLine();
        changed |= ImGui::CheckboxFlags(kTableNames[bit], &target.packedTables, 1u << bit);
      }
      ImGui::PopID();
      ImGui::SetItemTooltip("The kinds of table packed; the others are written as they are");
    }
  }
  return changed;
}

void DrawTargetEditor(ExportTarget& target) {
  bool changed = false;
  int format = static_cast<int>(target.format);
  ImGui::SetNextItemWidth(300);
  if (ImGui::BeginCombo("Format", FormatLabel(format))) {
    for (int f = 0; f < kExportFormats; ++f)
      if (ImGui::Selectable(FormatLabel(f), f == format)) target.format = static_cast<ExportFormat>(f), changed = true;
    ImGui::EndCombo();
  }
  char path[1024];
  std::snprintf(path, sizeof path, "%s", target.path.c_str());
  ImGui::SetNextItemWidth(600);
  if (ImGui::InputText("##path", path, sizeof path) && path[0]) target.path = path, changed = true;
  ImGui::SetItemTooltip("Relative paths start from the project file's folder");
  ImGui::SameLine();
  if (ImGui::Button("Choose...")) ChooseTargetPath(target);
  ImGui::SameLine();
  ImGui::TextUnformatted(IsFolderFormat(target.format) ? "Folder" : "File");
  changed |= DrawFormatOptions(target);
  for (int bit = 0; bit < kExportTableKinds; ++bit) {
    if (bit) ImGui::SameLine();
    changed |= ImGui::CheckboxFlags(kTableNames[bit], &target.tables, 1u << bit);
  }
  int layout = static_cast<int>(target.layout);
  changed |= ImGui::RadioButton("Each third its own tile set", &layout, 0);
  ImGui::SameLine();
  changed |= ImGui::RadioButton("The top third's set for all three", &layout, 1);
  ImGui::SetItemTooltip("For games that load one tile set into all thirds");
  target.layout = static_cast<ThirdsLayout>(layout);
  changed |= ImGui::Checkbox("All records", &target.allRecords);
  if (!target.allRecords) {
    changed |= DrawNameChoices("Sprites", project.sprites, target.sprites);
    ImGui::SameLine();
    changed |= DrawNameChoices("Tile sets", project.tileSets, target.tileSets);
    ImGui::SameLine();
    changed |= DrawNameChoices("Name tables", project.nameTables, target.nameTables);
    ImGui::SameLine();
    changed |= DrawNameChoices("Maps", project.maps, target.maps);
  }
  if (changed) NameNextEdit("edit export target");
}

void DrawTargetList(ExportWindowState& state, std::vector<ExportTarget>& targets) {
  const ImGuiTableFlags flags = ImGuiTableFlags_Borders | ImGuiTableFlags_RowBg | ImGuiTableFlags_ScrollY;
  if (!ImGui::BeginTable("##targets", 3, flags, ImVec2(0, 180))) return;
  ImGui::TableSetupColumn("Format");
  ImGui::TableSetupColumn("Path");
  ImGui::TableSetupColumn("Takes");
  ImGui::TableHeadersRow();
  for (int i = 0; i < static_cast<int>(targets.size()); ++i) {
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(0);
    ImGui::PushID(i);
    if (ImGui::Selectable(ExportFormatName(targets[i]).c_str(), state.selected == i,
                          ImGuiSelectableFlags_SpanAllColumns))
      state.selected = i;
    ImGui::PopID();
    ImGui::TableSetColumnIndex(1);
    ImGui::TextUnformatted(targets[i].path.c_str());
    ImGui::TableSetColumnIndex(2);
    ImGui::TextUnformatted(DescribeTargetTakes(targets[i]).c_str());
  }
  ImGui::EndTable();
}

void DrawKeepTargetPopup() {
  ExportWindowState& state = exportWindow;
  if (!state.offered || !session.errorMessage.empty()) return;
  ImGui::OpenPopup(kKeepPopup);
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal(kKeepPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::Text("Keep this export as a target, so that Export Again (Ctrl+E) writes it too?\n%s  %s",
              ExportFormatName(*state.offered).c_str(), state.offered->path.c_str());
  const PopupAnswer answer = DrawPopupButtons("Keep", nullptr, "Not Now");
  if (answer != PopupAnswer::None) {
    ImGui::CloseCurrentPopup();
    if (answer == PopupAnswer::Confirm)
      KeepOfferedTarget(state, project.exportTargets);
    else
      state.offered.reset();
  }
  ImGui::EndPopup();
}
}  // namespace

void DrawExportWindow() {
  DrawKeepTargetPopup();
  ExportWindowState& state = exportWindow;
  if (!state.open) return;
  std::vector<ExportTarget>& targets = project.exportTargets;
  state.selected = std::min(state.selected, static_cast<int>(targets.size()) - 1);
  ImGui::SetNextWindowSize(ImVec2(1000, 620), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_FirstUseEver, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowBgAlpha(1.0f);  // the studio behind would show through and blur the lists
  if (!ImGui::Begin("Export", &state.open)) {
    ImGui::End();
    return;
  }
  DrawTargetList(state, targets);
  ImGui::SetNextItemWidth(220);
  ImGui::Combo(
      "##addformat", &state.addFormat, [](void*, int i) { return FormatLabel(i); }, nullptr, kExportFormats);
  ImGui::SameLine();
  if (ImGui::Button("Add")) AddExportTarget(state, targets, static_cast<ExportFormat>(state.addFormat));
  const bool chosen = state.selected >= 0;
  ImGui::BeginDisabled(!chosen);
  ImGui::SameLine();
  if (ImGui::Button("Remove")) RemoveExportTarget(state, targets);
  ImGui::SameLine();
  if (ImGui::ArrowButton("##up", ImGuiDir_Up)) MoveExportTarget(state, targets, -1);
  ImGui::SetItemTooltip("Move up: targets are written in this order");
  ImGui::SameLine();
  if (ImGui::ArrowButton("##down", ImGuiDir_Down)) MoveExportTarget(state, targets, 1);
  ImGui::SetItemTooltip("Move down");
  ImGui::SameLine();
  if (ImGui::Button("Export This")) ExportTargetAt(state.selected);
  ImGui::EndDisabled();
  ImGui::SameLine();
  ImGui::BeginDisabled(targets.empty());
  if (ImGui::Button("Export All")) ExportAgain();
  ImGui::SetItemTooltip("Every target, as File > Export Again (Ctrl+E)");
  ImGui::EndDisabled();
  ImGui::Separator();
  if (chosen)
    DrawTargetEditor(targets[state.selected]);
  else
    ImGui::TextDisabled(targets.empty() ? "No targets yet: choose a format and Add." : "Select a target to edit it.");
  ImGui::End();
}
