// Any bytes as a sprite sheet, in a cell size and line limit the input's
// length picks: refused with the project unchanged, or imported as
// metasprites whose parts name sprites of the project, sit on the sprite grid
// within their picture, and draw back what the sheet gives; the sheet written
// again has a cell for every metasprite.
#include "fuzz_checks.h"
#include "export/sprite_sheet_image.h"
#include "import/sprite_sheet.h"
#include "model/metasprite_picture.h"
#include "storage/png_file.h"
#include "storage/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Project into = DefaultProject();
  const std::string before = SerializeProject(into);
  SpriteSheetOptions options;
  options.cellWidth = 16 * (1 + static_cast<int>(size % 4));
  options.cellHeight = 16 * (1 + static_cast<int>(size / 4 % 4));
  options.maxPerLine = static_cast<int>(size / 16 % 8);
  const SpriteSheetResult result = ImportSpriteSheet(data, size, "fuzz", into, options);
  if (!result.ok) {
    FUZZ_CHECK(SerializeProject(into) == before);
    FUZZ_CHECK(!result.message.empty());
    return 0;
  }
  FUZZ_CHECK(into.sprites.size() <= 256 && static_cast<int>(into.metasprites.size()) == result.frames);
  for (const Metasprite& metasprite : into.metasprites) {
    FUZZ_CHECK(metasprite.width == options.cellWidth && metasprite.height == options.cellHeight);
    for (const MetaspritePart& part : metasprite.parts)
      FUZZ_CHECK(part.sprite > 0 && part.sprite < static_cast<int>(into.sprites.size()) && part.x % 16 == 0 &&
                 part.y % 16 == 0 && part.x < metasprite.width && part.y < metasprite.height);
  }
  RgbaImage sheet;
  std::string error;
  const std::string png = SpriteSheetPng(into);
  FUZZ_CHECK(DecodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size(), 1 << 14, 1 << 14, sheet, error));
  FUZZ_CHECK(sheet.width % options.cellWidth == 0 && sheet.height % options.cellHeight == 0);
  return 0;
}
