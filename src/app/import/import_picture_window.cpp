#include "app/import/import_picture_window.h"

#include <algorithm>

#include "app/import/import_picture.h"
#include "app/import/picture_preview.h"
#include "imgui.h"

namespace {

// A tile sheet is one set of all its tiles: the screen's options are shown, not taken.
bool DrawOptions(ImportOptions& options, bool screen) {
  static const char* const kModes[] = {"None", "Ordered", "Diffusion"};
  static const char* const kTips[] = {"Each pixel the nearer of its row's two colours, as imports always did",
                                      "Bayer halftones between each row's two colours",
                                      "Error diffusion: what a row cannot show is carried into the pixels after it"};
  bool changed = false;
  int mode = static_cast<int>(options.dither);
  for (int m = 0; m < 3; ++m) {
    if (m) ImGui::SameLine();
    changed |= ImGui::RadioButton(kModes[m], &mode, m);
    ImGui::SetItemTooltip("%s", kTips[m]);
  }
  options.dither = static_cast<Dither>(mode);
  ImGui::SetNextItemWidth(200);
  changed |= ImGui::SliderInt("Strength", &options.strength, 0, 100, "%d %%");
  int screenMode = static_cast<int>(options.mode);
  ImGui::SetNextItemWidth(200);
  if (ImGui::Combo("Screen mode", &screenMode, kScreenModeNames, kScreenModes)) {
    options.mode = static_cast<ScreenMode>(screenMode);
    changed = true;
  }
  ImGui::SetItemTooltip(
      "Graphics II: a colour pair a tile row; Graphics I: one tile set whose groups of 8 tiles "
      "share a pair, grouped so that the picture loses least; Text: a 240 x 192 picture in two "
      "colours; Multicolor: 64 x 48 blocks");
  const char* sheetOnly = "Only a 256 x 192 screen takes this: a tile sheet becomes one set of all its tiles";
  ImGui::BeginDisabled(!screen);
  ImGui::BeginDisabled(options.mode != ScreenMode::Graphics2);
  changed |= ImGui::Checkbox("One tile set for the whole screen", &options.oneSet);
  ImGui::SetItemTooltip("%s", screen ? "For games that load one tile set into all three thirds" : sheetOnly);
  ImGui::EndDisabled();
  ImGui::SetNextItemWidth(200);
  changed |= ImGui::SliderInt("Tiles a set at most", &options.maxTiles, 1, 255);
  ImGui::SetItemTooltip("%s", screen ? "Fewer leave room for a font; the tiles that look most alike merge" : sheetOnly);
  ImGui::EndDisabled();
  return changed;
}
}  // namespace

void DrawImportPictureWindow() {
  ImportPictureState& state = importPicture;
  if (!state.open) return;
  ImGui::SetNextWindowSize(ImVec2(1120, 640), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_FirstUseEver, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowBgAlpha(1.0f);
  if (!ImGui::Begin("Import Picture", &state.open)) {
    ImGui::End();
    return;
  }
  ImGui::TextUnformatted(state.path.c_str());
  if (!state.picture.rgba.empty()) {
    DrawSourceBesideResult(state.picture, state.usable ? &state.result : nullptr, DefaultPreviewZoom(state.picture));
    ImGui::EndGroup();
  }
  if (DrawOptions(state.options, IsScreenPicture(state.picture.width, state.picture.height)))
    UpdateImportPreview(state);
  ImGui::TextWrapped("%s", state.figures.c_str());
  ImGui::BeginDisabled(!state.usable);
  if (ImGui::Button("Import")) ConfirmImportPicture(state);
  ImGui::EndDisabled();
  ImGui::SameLine();
  if (ImGui::Button("Cancel")) state.open = false;
  ImGui::End();
}
