#include "import/png_import.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "import/graphics1_picture.h"
#include "import/mode_pictures.h"
#include "import/screen_tiles.h"
#include "storage/png_file.h"

namespace {
constexpr int kMaxSide = 8 * kTilesPerSet;  // a sheet one tile high or wide
constexpr int kMaxPixels = kChipWidth * kChipHeight;

// `name`, or "name 2", "name 3"...: the first that names no name table or tile
// set yet, so that a picture imported twice gives records told apart.
std::string FreshName(const Project& data, const std::string& name) {
  const auto taken = [&data](const std::string& candidate) {
    char stored[kNameSize];
    SetName(stored, candidate.c_str());
    const auto named = [&stored](const auto& record) { return std::strcmp(record.name, stored) == 0; };
    return std::any_of(data.nameTables.begin(), data.nameTables.end(), named) ||
           std::any_of(data.tileSets.begin(), data.tileSets.end(), named);
  };
  std::string candidate = name;
  for (int n = 2; taken(candidate) || taken(candidate + " top"); ++n) {
    const std::string suffix = " " + std::to_string(n);  // kept whole: the name gives way
    candidate = name.substr(0, std::min(name.size(), kNameSize - 1 - suffix.size())) + suffix;
  }
  return candidate;
}

// The pixels of the screen that look otherwise than in the cells the picture
// was made into (colour 0 is black as 1 is): what the Graphics I rules (a pair
// a tile, a pair a group) changed.
int ChangedPixels(const std::vector<Tile>& cells, const TileSet& set, const uint8_t* names) {
  int changed = 0;
  for (std::size_t cell = 0; cell < cells.size(); ++cell)
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        changed += Distance(PaletteLab()[TilePixelColour(set, names[cell], y, x)],
                            PaletteLab()[cells[cell].Colour(x, y) & 15]) > 0;
  return changed;
}
}  // namespace

std::string Plural(int count, const char* word) { return std::to_string(count) + " " + word + (count == 1 ? "" : "s"); }

std::string SizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

ImportResult ImportPngImage(const uint8_t* bytes, std::size_t size, const std::string& wanted, Project& data,
                            const ImportOptions& options) {
  ImportResult result;
  RgbaImage image;
  std::string error;
  if (!DecodePng(bytes, size, kMaxSide, kMaxSide, image, error) ||
      (static_cast<long>(image.width) * image.height > kMaxPixels && (error = "the picture is too large", true))) {
    result.message = "Cannot import the picture: " + error + ".";
    return result;
  }
  const bool text = options.mode == ScreenMode::Text;
  const bool screen = text ? image.width == kTextPictureWidth && image.height == kChipHeight
                           : IsScreenPicture(image.width, image.height);
  if (options.mode != ScreenMode::Graphics2 && !screen) {
    result.message = std::string("Cannot import the picture: a ") + kScreenModeNames[static_cast<int>(options.mode)] +
                     " screen is made from a " + (text ? "240" : "256") + " x 192 picture, this one is " +
                     std::to_string(image.width) + " x " + std::to_string(image.height) + ".";
    return result;
  }
  const int tiles = image.width / 8 * (image.height / 8);
  if (image.width % 8 || image.height % 8 || (!screen && tiles > kTilesPerSet)) {
    result.message =
        "Cannot import the picture: its sides must be multiples of 8 and, unless it is a 256 x 192 "
        "screen, hold at most 256 tiles.";
    return result;
  }
  const bool graphics2 = options.mode == ScreenMode::Graphics2;
  const int newSets = options.mode == ScreenMode::Multicolor ? 0 : screen && !options.oneSet && graphics2 ? kThirds : 1;
  if (data.tileSets.size() + newSets > kMaxImportedTileSets || (screen && data.nameTables.size() >= 256)) {
    result.message = "Cannot import the picture: the project has no room for its tile sets or name table.";
    return result;
  }

  int reducedRows = 0;
  const std::vector<Tile> picture = text || options.mode == ScreenMode::Multicolor
                                        ? std::vector<Tile>{}
                                        : DitherToTiles(image, options.dither, options.strength, reducedRows);
  const int limit = std::clamp(options.maxTiles, 1, kMostImportedTiles);
  // Into a project that is still exactly a new one, the picture takes the place
  // of the empty default records instead of queuing behind them.
  if (IsUntouchedProject(data)) {
    if (newSets > 0) data.tileSets.clear();
    if (screen) data.nameTables.clear();
  }
  const std::string name = FreshName(data, wanted);

  result.firstTileSet = static_cast<int>(data.tileSets.size());
  int made = 0, merged = 0, recoloured = -1;  // -1: no pixel changed but by the rows' pairs
  if (screen) {
    NameTable table;
    SetName(table.name, name.c_str());
    if (graphics2) {
      merged = AddScreenTileSets(picture, name, options.oneSet, limit, data, table, made);
    } else if (options.mode == ScreenMode::Multicolor) {
      table.mode = ScreenMode::Multicolor;
      PictureToBlocks(image, options.dither, options.strength, table);
    } else {
      TileSet set;
      SetName(set.name, name.c_str());
      if (text) {
        merged = PictureToText(image, options.dither, options.strength, set, table, made);
      } else {
        merged = BuildGraphics1Set(picture, name, set, table.cells, made);
        table.mode = ScreenMode::Graphics1;
        recoloured = ChangedPixels(picture, set, table.cells);
      }
      std::fill(std::begin(table.thirdTileSets), std::end(table.thirdTileSets), static_cast<int>(data.tileSets.size()));
      data.tileSets.push_back(set);
    }
    result.nameTable = static_cast<int>(data.nameTables.size());
    data.nameTables.push_back(table);
  } else {
    TileSet set;
    SetName(set.name, name.c_str());
    for (int i = 0; i < tiles; ++i) StoreTile(set, i, picture[i]);
    made = tiles;
    data.tileSets.push_back(set);
  }
  if (newSets == 0) result.firstTileSet = -1;
  result.ok = true;
  result.made = std::to_string(image.width) + " x " + std::to_string(image.height) +
                (!screen     ? " tile sheet: "
                 : graphics2 ? " screen: "
                             : std::string(" ") + kScreenModeNames[static_cast<int>(options.mode)] + " screen: ") +
                (options.mode == ScreenMode::Multicolor
                     ? std::string("64 x 48 blocks")
                     : Plural(made, "tile") + " made, " + Plural(merged, "tile") + " merged, " +
                           Plural(reducedRows, "row") + " with more than two colours reduced") +
                (recoloured >= 0 ? ", " + Plural(recoloured, "pixel") + " recoloured for the groups' colour pairs" : "");
  result.message = "Imported " + result.made + ".";
  return result;
}
