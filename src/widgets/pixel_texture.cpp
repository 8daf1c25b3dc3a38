#include "widgets/pixel_texture.h"

#include "imgui_internal.h"

uint32_t* TexturePixels(PixelTexture& texture, int width, int height) {
  // The editor has one context; each test has its own, which takes the registration along when it goes.
  if (texture.context != ImGui::GetCurrentContext()) {
    texture.data = std::make_unique<ImTextureData>();
    texture.data->Create(ImTextureFormat_RGBA32, width, height);
    ImGui::RegisterUserTexture(texture.data.get());
    texture.context = ImGui::GetCurrentContext();
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
