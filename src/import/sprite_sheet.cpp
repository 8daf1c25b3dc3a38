#include "import/sprite_sheet.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_map>
#include <vector>

#include "import/screen_tiles.h"
#include "model/metasprite_picture.h"
#include "storage/png_file.h"

namespace {

std::string Size(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

// The nearest of the chip's 15 colours to each colour met, in CIELAB; 0 for transparent.
class ColourMatch {
 public:
  explicit ColourMatch(const SpriteSheetOptions& options) : options_(options) {}
  uint8_t operator()(const uint8_t* rgba) {
    if (SheetPixelClear(rgba, options_)) return 0;
    const uint32_t rgb = uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
    const auto known = nearest_.find(rgb);
    if (known != nearest_.end()) return known->second;
    const Lab lab = ToLab(rgba[0], rgba[1], rgba[2]);
    uint8_t best = 1;
    for (uint8_t colour = 2; colour < 16; ++colour)
      if (Distance(lab, PaletteLab()[colour]) < Distance(lab, PaletteLab()[best])) best = colour;
    return nearest_[rgb] = best;
  }

 private:
  const SpriteSheetOptions& options_;
  std::unordered_map<uint32_t, uint8_t> nearest_;
};

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

// A sprite's pixels and colour: parts equal in both share one sprite.
std::string SpriteKey(const Sprite& sprite, int colour) {
  return std::string(reinterpret_cast<const char*>(sprite.pixels), sizeof sprite.pixels) + static_cast<char>(colour);
}

bool EmptyStrip(const AnimationStrips& strips, int strip) {
  return std::all_of(std::begin(strips.cells[strip]), std::end(strips.cells[strip]), [](int32_t c) { return c == -1; });
}

// Each row's frames fill the next empty strip, as far as there are empty
// strips and cells; a filled cell plays, as one dropped in does. Returns the
// strips filled.
int RowsIntoStrips(AnimationStrips& strips, const std::vector<std::vector<int32_t>>& rows) {
  int filled = 0, strip = 0;
  for (const std::vector<int32_t>& frames : rows) {
    if (frames.empty()) continue;
    while (strip < kStrips && !EmptyStrip(strips, strip)) ++strip;
    if (strip == kStrips) break;
    for (int f = 0; f < kStripCells && f < static_cast<int>(frames.size()); ++f) {
      strips.cells[strip][f] = frames[f];
      strips.metasprite[strip][f] = true;
      strips.active[strip][f] = true;
    }
    ++filled;
  }
  return filled;
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
                  Size(w, h));
  RgbaImage sheet;
  std::string error;
  if (!DecodePng(png, size, kMaxSheetSide, kMaxSheetSide, sheet, error)) return refuse(error);
  if (sheet.width % w || sheet.height % h)
    return refuse("Cells of " + Size(w, h) + " do not divide the " + Size(sheet.width, sheet.height) + " sheet");
  const int columns = sheet.width / w, rows = sheet.height / h;
  if (columns > kMaxSheetCells || rows > kMaxSheetCells) return refuse("A sheet has at most 256 cells a side");

  Project next = data;
  ColourMatch match(options);
  std::map<std::string, int32_t> shared;  // the sprite each part of this sheet made
  std::vector<std::vector<int32_t>> rowFrames(rows);
  int parts = 0;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      MetaspritePicture picture;
      bool any = false;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const std::size_t at = 4 * (static_cast<std::size_t>(row * h + y) * sheet.width + column * w + x);
          any |= (picture.pixels[y][x] = match(&sheet.rgba[at])) != 0;
        }
      if (!any) continue;
      ++result.frames;
      Metasprite frame;
      FormatName(frame.name, "%.14s %d", name.c_str(), result.frames);
      frame.width = w, frame.height = h, frame.sheet = {column, row, columns, rows};
      for (const PicturePiece& piece : PicturePieces(picture, w, h, data.spriteSize.side)) {
        ++parts;
        const auto [known, added] = shared.emplace(SpriteKey(piece.pattern, piece.colour), 0);
        if (added) {
          if (next.sprites.size() >= kMaxSprites)
            return refuse("The sheet needs more than the 256 sprites a project holds (frame " +
                          std::to_string(result.frames) + ", row " + std::to_string(row + 1) + ")");
          Sprite sprite = piece.pattern;
          NamePart(sprite, frame.name, piece.colour, piece.x, piece.y, data.spriteSize.side);
          sprite.colour = piece.colour;
          next.sprites.push_back(sprite);
          known->second = static_cast<int32_t>(next.sprites.size()) - 1;
        }
        frame.parts.push_back({known->second, piece.x, piece.y});
      }
      const std::vector<int> lines = SpritesPerLine(frame, data.spriteSize.side);
      const int worst = lines.empty() ? 0 : *std::max_element(lines.begin(), lines.end());
      if (options.maxPerLine > 0 && worst > options.maxPerLine)
        return refuse(std::string("Frame ") + frame.name + " (row " + std::to_string(row + 1) + ") needs " +
                      std::to_string(worst) + " sprites on a line, more than " + std::to_string(options.maxPerLine));
      result.worstLine = std::max(result.worstLine, worst);
      if (next.metasprites.size() >= kMaxMetasprites) return refuse("The sheet has more frames than a project holds");
      rowFrames[row].push_back(static_cast<int32_t>(next.metasprites.size()));
      next.metasprites.push_back(frame);
    }
  if (result.frames == 0) return refuse("Every cell of the sheet is empty");
  const int strips = RowsIntoStrips(next.strips, rowFrames);
  data = std::move(next);
  result.ok = true;
  result.sprites = static_cast<int>(shared.size());
  result.message = Plural(result.frames, "metasprite") + " from frames of " + Size(w, h) + ": " +
                   Plural(result.sprites, "sprite") + " for " + Plural(parts, "part") + ", at most " +
                   std::to_string(result.worstLine) + " on a line";
  if (strips > 0)
    result.message +=
        "; " + std::to_string(strips) + (strips == 1 ? " row is an animation strip" : " rows are animation strips");
  result.message += PastPatternTableWarning(data);
  return result;
}

bool SheetPixelClear(const uint8_t* rgba, const SpriteSheetOptions& options) {
  const uint32_t rgb = uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
  return rgba[3] < 128 || (options.keyed && rgb == options.key);
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
