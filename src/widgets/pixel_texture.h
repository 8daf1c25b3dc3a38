#pragma once
// A texture whose RGBA pixels the CPU fills, for views too large to draw a
// square a pixel: the renderer backend uploads it whenever it is marked changed.

#include <cstdint>
#include <memory>

#include "imgui.h"

struct PixelTexture {
  std::unique_ptr<ImTextureData> data;
};

// Whether the current Dear ImGui context has no texture of it yet: the next
// TexturePixels makes one, blank.
bool NeedsMaking(const PixelTexture& texture);
// The texture's pixels (red in the lowest byte), made `width` x `height` for the
// current Dear ImGui context when it has none there yet (a texture keeps its
// size); fill them, then MarkChanged.
uint32_t* TexturePixels(PixelTexture& texture, int width, int height);
void MarkChanged(PixelTexture& texture);
ImTextureRef TextureRef(PixelTexture& texture);
