#include "import/sprite_sheet.h"

#include <algorithm>
#include <vector>

#include "import/frame_metasprites.h"
#include "model/metasprite_picture.h"
#include "storage/png_file.h"

namespace {

// The smallest of the sides that divides `length` with no cell edge between
// two filled lines; none where no line is clear, which says nothing of frames.
int SideWithClearEdges(const std::vector<bool>& filled, int spriteSide) {
  const int length = static_cast<int>(filled.size());
  if (std::all_of(filled.begin(), filled.end(), [](bool line) { return line; })) return 0;
  for (int side = spriteSide; side <= kMaxMetaspriteSide; side += spriteSide) {
    if (length % side) continue;
    bool cuts = false;
    for (int edge = side; edge < length && !cuts; edge += side) cuts = filled[edge - 1] && filled[edge];
    if (!cuts) return side;
  }
  return 0;
}

}  // namespace

SpriteSheetResult ImportSpriteSheet(const uint8_t* png, std::size_t size, const std::string& name, Project& data,
                                    const SpriteSheetOptions& options) {
  SpriteSheetResult result;
  const auto refuse = [&result](const std::string& why) {
    result.message = why + "; nothing was imported";
    return result;
  };
  const int w = options.cellWidth, h = options.cellHeight;
  const int side = data.spriteSize.side;
  if (w < side || h < side || w > kMaxMetaspriteSide || h > kMaxMetaspriteSide || w % side || h % side)
    return refuse("A cell is a multiple of the " + std::to_string(side) + "-pixel sprite size up to 64 a side, not " +
                  SizeText(w, h));
  RgbaImage sheet;
  std::string error;
  if (!DecodePng(png, size, kMaxSheetSide, kMaxSheetSide, sheet, error)) return refuse(error);
  if (sheet.width % w || sheet.height % h)
    return refuse("Cells of " + SizeText(w, h) + " do not divide the " + SizeText(sheet.width, sheet.height) +
                  " sheet");
  const int columns = sheet.width / w, rows = sheet.height / h;
  if (columns > kMaxSheetCells || rows > kMaxSheetCells) return refuse("A sheet has at most 256 cells a side");

  Project next = data;
  ChipColourMatch match(options.keyed, options.key);
  FrameMetasprites made(next, options.maxPerLine);
  std::vector<std::vector<int32_t>> rowFrames(rows);
  try {
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column < columns; ++column) {
        MetaspritePicture picture;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x)
            picture.pixels[y][x] =
                match(&sheet.rgba[4 * (static_cast<std::size_t>(row * h + y) * sheet.width + column * w + x)]);
        char frameName[kNameSize];
        FormatName(frameName, "%.14s %d", name.c_str(), made.frames + 1);
        const int32_t frame =
            made.Add(picture, w, h, frameName, {column, row, columns, rows}, "row " + std::to_string(row + 1));
        if (frame >= 0) rowFrames[row].push_back(frame);
      }
  } catch (const FrameRefusal& refusal) {
    return refuse(refusal.why);
  }
  result.frames = made.frames, result.worstLine = made.worstLine;
  if (result.frames == 0) return refuse("Every cell of the sheet is empty");
  const int strips = FramesIntoStrips(next.strips, rowFrames);
  data = std::move(next);
  result.ok = true;
  result.sprites = made.Sprites();
  result.message = Plural(result.frames, "metasprite") + " from frames of " + SizeText(w, h) + ": " +
                   Plural(result.sprites, "sprite") + " for " + Plural(made.parts, "part") + ", at most " +
                   std::to_string(result.worstLine) + " on a line";
  if (strips > 0)
    result.message +=
        "; " + std::to_string(strips) + (strips == 1 ? " row is an animation strip" : " rows are animation strips");
  result.message += PastPatternTableWarning(data);
  return result;
}

bool SheetPixelClear(const uint8_t* rgba, const SpriteSheetOptions& options) {
  return PixelClear(rgba, options.keyed, options.key);
}

CellSize GuessSheetCell(const RgbaImage& sheet, const SpriteSheetOptions& options, int spriteSide) {
  std::vector<bool> columns(static_cast<std::size_t>(sheet.width)), rows(static_cast<std::size_t>(sheet.height));
  for (int y = 0; y < sheet.height; ++y)
    for (int x = 0; x < sheet.width; ++x)
      if (!SheetPixelClear(&sheet.rgba[(static_cast<std::size_t>(y) * sheet.width + x) * 4], options))
        columns[x] = rows[y] = true;
  return {SideWithClearEdges(columns, spriteSide), SideWithClearEdges(rows, spriteSide)};
}

ImportResult AsImportResult(const SpriteSheetResult& result) {
  ImportResult same;
  same.ok = result.ok, same.message = result.message;
  return same;
}
