#include "imgui_item_hooks.h"

#include "imgui_internal.h"

ImGuiItemObserver imguiItemObserver;

void ImGuiTestEngineHook_ItemAdd(ImGuiContext* context, ImGuiID id, const ImRect& bb, const ImGuiLastItemData* item) {
  if (!imguiItemObserver.itemAdded) return;
  const ImRect& rect = item ? item->Rect : bb;
  imguiItemObserver.itemAdded(context, id, rect.Min, rect.Max);
}

void ImGuiTestEngineHook_ItemInfo(ImGuiContext* context, ImGuiID id, const char* label, ImGuiItemStatusFlags) {
  if (imguiItemObserver.itemLabelled && label) imguiItemObserver.itemLabelled(context, id, label);
}

void ImGuiTestEngineHook_Log(ImGuiContext*, const char*, ...) {}

const char* ImGuiTestEngine_FindItemDebugLabel(ImGuiContext*, ImGuiID) { return nullptr; }
