#include "app/shell/frame_fingerprint.h"

#include <cstring>

#include "imgui.h"

namespace {
// FNV-1a's step on eight bytes at a time, in four lanes that do not wait on
// each other, folded at the end: every frame hashes all its vertices.
void Mix(uint64_t& hash, const void* bytes, std::size_t size) {
  constexpr uint64_t kPrime = 0x100000001B3ull;
  const unsigned char* at = static_cast<const unsigned char*>(bytes);
  uint64_t lanes[4] = {hash, hash ^ 1, hash ^ 2, hash ^ 3};
  std::size_t i = 0;
  for (uint64_t words[4]; i + sizeof words <= size; i += sizeof words) {
    std::memcpy(words, at + i, sizeof words);
    for (int lane = 0; lane < 4; ++lane) lanes[lane] = (lanes[lane] ^ words[lane]) * kPrime;
  }
  hash = lanes[0];
  for (int lane = 1; lane < 4; ++lane) hash = (hash ^ lanes[lane]) * kPrime;
  for (; i < size; ++i) hash = (hash ^ at[i]) * kPrime;
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
