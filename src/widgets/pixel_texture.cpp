#include "widgets/pixel_texture.h"

#include "imgui_internal.h"

// The editor has one context; each test has its own, which takes the registration
// along when it goes, and a new one may reuse the last one's address.
bool NeedsMaking(const PixelTexture& texture) {
  return !texture.data || !ImGui::GetCurrentContext()->UserTextures.contains(texture.data.get());
}

uint32_t* TexturePixels(PixelTexture& texture, int width, int height) {
  if (NeedsMaking(texture)) {
    texture.data = std::make_unique<ImTextureData>();
    texture.data->Create(ImTextureFormat_RGBA32, width, height);
    ImGui::RegisterUserTexture(texture.data.get());
  }
  return reinterpret_cast<uint32_t*>(texture.data->GetPixels());
}

void MarkChanged(PixelTexture& texture) {
  ImTextureData& data = *texture.data;
  if (data.Status != ImTextureStatus_OK && data.Status != ImTextureStatus_WantUpdates) return;  // not made yet
  const ImTextureRect whole{0, 0, static_cast<unsigned short>(data.Width), static_cast<unsigned short>(data.Height)};
  data.Updates.resize(0);
  data.Updates.push_back(whole);
  data.UpdateRect = whole;
  data.SetStatus(ImTextureStatus_WantUpdates);
}

ImTextureRef TextureRef(PixelTexture& texture) { return texture.data->GetTexRef(); }
