// Sprite imports from any clipboard text: names keep their zero, pixels stay
// 0 or 1, the raw-hex import stops at 256 sprites and the selection is valid.
#include "fuzz_checks.h"
#include "studios/sprite/sprite_list_actions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  SpriteStudioState state;
  std::vector<Sprite> list(1 + data[0] % 4, DefaultSprite());
  const std::string text = TextOf(data + 1, size - 1);
  const bool rawHex = data[0] & 0x80;
  if (rawHex)
    ImportSpritesRawHex(state, list, text.c_str());
  else
    ImportSpritesToken(state, list, text.c_str());
  if (rawHex) FUZZ_CHECK(list.size() <= 256);
  FUZZ_CHECK(list.size() <= 4 + text.size() / 32);
  FUZZ_CHECK(state.selectedSprite >= 0 && state.selectedSprite < static_cast<int>(list.size()));
  for (const Sprite& sprite : list) {
    FUZZ_CHECK(NameEnds(sprite.name));
    for (const auto& row : sprite.pixels)
      for (uint8_t pixel : row) FUZZ_CHECK(pixel <= 1);
  }
  return 0;
}
