#include "app/shell/frame_fingerprint.h"

#include "imgui.h"

namespace {
// FNV-1a over bytes.
void Mix(uint64_t& hash, const void* bytes, std::size_t size) {
  const unsigned char* at = static_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ at[i]) * 0x100000001B3ull;
}
}  // namespace

uint64_t FrameFingerprint(const ImDrawData& data) {
  uint64_t hash = 0xCBF29CE484222325ull;

  Mix(hash, &data.DisplaySize, sizeof data.DisplaySize);
  for (const ImDrawList* list : data.CmdLists) {
    Mix(hash, list->VtxBuffer.Data, list->VtxBuffer.size_in_bytes());
    Mix(hash, list->IdxBuffer.Data, list->IdxBuffer.size_in_bytes());
    for (const ImDrawCmd& command : list->CmdBuffer) {
      Mix(hash, &command.ClipRect, sizeof command.ClipRect);
      Mix(hash, &command.TexRef, sizeof command.TexRef);
      Mix(hash, &command.VtxOffset, sizeof command.VtxOffset);
      Mix(hash, &command.IdxOffset, sizeof command.IdxOffset);
      Mix(hash, &command.ElemCount, sizeof command.ElemCount);
    }
  }
  return hash;
}

bool WaitsForTextures(const ImDrawData& data) {
  if (data.Textures)
    for (const ImTextureData* texture : *data.Textures)
      if (texture->Status != ImTextureStatus_OK) return true;
  return false;
}
