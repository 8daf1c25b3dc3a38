#include "support/gui_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/shell/editor_config.h"
#include "app/shell/editor_frame.h"
#include "app/shell/editor_tabs.h"
#include "imgui_item_hooks.h"
#include "support/project_fixtures.h"

namespace {
const char* ReadClipboard(ImGuiContext* context) {
  return static_cast<GuiDriver*>(context->PlatformIO.Platform_ClipboardUserData)->clipboard.c_str();
}
void WriteClipboard(ImGuiContext* context, const char* text) {
  static_cast<GuiDriver*>(context->PlatformIO.Platform_ClipboardUserData)->clipboard = text ? text : "";
}
}  // namespace

GuiDriver::GuiDriver(bool rendererBuildsFonts) {
  ResetEditor();
  context = ImGui::CreateContext();
  ImGui::SetCurrentContext(context);
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.BackendFlags |= ImGuiBackendFlags_RendererHasVtxOffset;  // as the editor's renderer
  io.DisplaySize = ImVec2(static_cast<float>(kWindowWidth), static_cast<float>(kWindowHeight));
  if (!rendererBuildsFonts) {
    unsigned char* pixels;
    int width, height;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
  }
  ImGuiPlatformIO& platform = ImGui::GetPlatformIO();
  platform.Platform_ClipboardUserData = this;
  platform.Platform_GetClipboardTextFn = ReadClipboard;
  platform.Platform_SetClipboardTextFn = WriteClipboard;
  context->TestEngine = this;
  context->TestEngineHookItems = true;
  imguiItemObserver.itemAdded = [](ImGuiContext* c, ImGuiID id, ImVec2 min, ImVec2 max) {
    if (GuiDriver* driver = Of(c)) {
      driver->rectsThisFrame[id] = ImRect(min, max);
      driver->rectsInOrderThisFrame.push_back(ImRect(min, max));
    }
  };
  imguiItemObserver.itemLabelled = [](ImGuiContext* c, ImGuiID id, const char* label) {
    if (GuiDriver* driver = Of(c)) driver->labelsThisFrame.emplace_back(id, label);
  };
  draw = [this] { DrawEditorFrame(running); };
  RegisterEditorTabs();  // as the editor does at start-up
}

GuiDriver::~GuiDriver() {
  ImGui::DestroyContext(context);
  ResetEditor();
}

void GuiDriver::Frame(int count) {
  ImGui::SetCurrentContext(context);
  for (int i = 0; i < count; ++i) {
    ImGui::GetIO().DeltaTime = nextDeltaTime;
    nextDeltaTime = kFrameSeconds;
    if (beforeNewFrame) beforeNewFrame();
    rectsThisFrame.clear();
    labelsThisFrame.clear();
    rectsInOrderThisFrame.clear();
    ImGui::NewFrame();
    draw();
    ImGui::Render();
    rectsInOrder.swap(rectsInOrderThisFrame);
    items.clear();
    for (const auto& [id, label] : labelsThisFrame)
      if (const auto rect = rectsThisFrame.find(id); rect != rectsThisFrame.end())
        items.emplace_back(label, rect->second);
  }
}

void GuiDriver::Click(ImVec2 point, int button) {
  MoveMouse(point);
  Frame();
  Press(button);
  Frame();
  Release(button);
  Frame();
}

void GuiDriver::Drag(ImVec2 from, ImVec2 to, int steps, int button) {
  MoveMouse(from);
  Frame();
  Press(button);
  Frame();
  for (int step = 1; step <= steps; ++step) {
    const float t = static_cast<float>(step) / static_cast<float>(steps);
    MoveMouse(ImVec2(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t));
    Frame();
  }
  Release(button);
  Frame(2);
}

namespace {
void QueueKey(ImGuiIO& io, ImGuiKeyChord chord, bool down) {
  for (ImGuiKey mod : {ImGuiMod_Ctrl, ImGuiMod_Shift, ImGuiMod_Alt})
    if (down && (chord & mod)) io.AddKeyEvent(mod, true);
  io.AddKeyEvent(static_cast<ImGuiKey>(chord & ~ImGuiMod_Mask_), down);
  for (ImGuiKey mod : {ImGuiMod_Ctrl, ImGuiMod_Shift, ImGuiMod_Alt})
    if (!down && (chord & mod)) io.AddKeyEvent(mod, false);
}
}  // namespace

void GuiDriver::PressKey(ImGuiKeyChord chord) {
  QueueKey(Input(), chord, true);
  Frame();
  QueueKey(Input(), chord, false);
  Frame();
}

void GuiDriver::TapKey(ImGuiKeyChord chord) {
  QueueKey(Input(), chord, true);
  QueueKey(Input(), chord, false);
}

void GuiDriver::TypeText(const char* text) {
  Input().AddInputCharactersUTF8(text);
  Frame();
}

ImVec2 GuiDriver::WorkspaceOrigin() const {
  ImGuiWindow* window = ImGui::FindWindowByName("Workspace");
  return window ? window->Pos : ImVec2(0, 0);
}

std::vector<ImVec2> GuiDriver::ItemCentres(const std::string& label) const {
  std::vector<ImVec2> centres;
  for (const auto& [itemLabel, rect] : items)
    if (itemLabel == label) centres.push_back(rect.GetCenter());
  return centres;
}

ImVec2 GuiDriver::ItemCenter(const std::string& label) const {
  const std::vector<ImVec2> centres = ItemCentres(label);
  if (centres.empty()) {
    ADD_FAILURE() << "no item \"" << label << "\" in the last frame";
    return ImVec2(-1, -1);
  }
  return centres.back();
}

std::vector<ImVec2> GuiDriver::CentresOfItemsSized(ImVec2 size) const {
  std::vector<ImVec2> centres;
  for (const ImRect& rect : rectsInOrder)
    if (rect.GetWidth() == size.x && rect.GetHeight() == size.y) centres.push_back(rect.GetCenter());
  return centres;
}

namespace {
// The texel of a pixel picture under `point`, by the triangle's texture coordinates.
ImU32 Texel(const ImTextureData& texture, const ImDrawVert* const (&v)[3], ImVec2 point) {
  const ImVec2 a = v[0]->pos, b = v[1]->pos, c = v[2]->pos;
  const float area = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
  const float wa = ((b.y - c.y) * (point.x - c.x) + (c.x - b.x) * (point.y - c.y)) / area;
  const float wb = ((c.y - a.y) * (point.x - c.x) + (a.x - c.x) * (point.y - c.y)) / area;
  const float wc = 1 - wa - wb;
  const float u = wa * v[0]->uv.x + wb * v[1]->uv.x + wc * v[2]->uv.x;
  const float w = wa * v[0]->uv.y + wb * v[1]->uv.y + wc * v[2]->uv.y;
  const int x = std::clamp(static_cast<int>(u * texture.Width), 0, texture.Width - 1);
  const int y = std::clamp(static_cast<int>(w * texture.Height), 0, texture.Height - 1);
  return reinterpret_cast<const ImU32*>(texture.Pixels)[y * texture.Width + x];
}
}  // namespace

ImU32 GuiDriver::ColourAt(ImVec2 point) const {
  ImU32 colour = 0;
  const ImDrawData* data = ImGui::GetDrawData();
  for (const ImDrawList* list : data->CmdLists)
    for (const ImDrawCmd& command : list->CmdBuffer)
      for (unsigned i = command.IdxOffset; i + 2 < command.IdxOffset + command.ElemCount; i += 3) {
        const ImDrawVert* v[3];
        for (int k = 0; k < 3; ++k) v[k] = &list->VtxBuffer[command.VtxOffset + list->IdxBuffer[i + k]];
        bool positive = false, negative = false;
        for (int k = 0; k < 3; ++k) {
          const ImVec2 a = v[k]->pos, b = v[(k + 1) % 3]->pos;
          const float side = (b.x - a.x) * (point.y - a.y) - (b.y - a.y) * (point.x - a.x);
          positive |= side > 0, negative |= side < 0;
        }
        const ImTextureData* picture = command.TexRef._TexData;
        if (positive && negative) continue;
        const ImU32 shown = picture && context->UserTextures.contains(const_cast<ImTextureData*>(picture))
                                ? Texel(*picture, v, point)
                                : v[0]->col;
        if (shown & IM_COL32_A_MASK) colour = shown;  // a clear texel shows what lies below
      }
  return colour;
}
