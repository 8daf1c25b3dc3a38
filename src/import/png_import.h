#pragma once
// Pictures from paint programs into the project. Every pixel is matched to the
// palette in CIELAB; each 8-pixel row of a tile then takes the one colour pair
// that loses least against the picture (the chip's two colours a row).
// 256 x 192 is a screen: a tile set per third (identical tiles stored once, at
// most 255 so that tile 255 stays the empty marker; the closest tiles merge
// when a third needs more) and a name table using them. Any other size with
// sides in multiples of 8 and at most 256 tiles is a tile sheet, read row by row.

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/dither.h"
#include "model/project.h"

constexpr int kMaxImportedTileSets = 64;

struct ImportResult {
  bool ok = false;
  std::string message;    // what happened, or why the picture was refused
  std::string made;       // what an accepted picture became: "256 x 192 screen: 40 tiles made, ..."
  int firstTileSet = -1;  // the first tile set made
  int nameTable = -1;     // the name table made for a screen
};

// "1 tile", "3 tiles": a count and its noun, as the imports' reports give them.
std::string Plural(int count, const char* word);
// "32 x 16": a picture's or a cell's size, as the imports' reports give it.
std::string SizeText(int width, int height);

// Only a picture of the screen's size becomes a screen (and takes the options for one).
inline bool IsScreenPicture(int width, int height) { return width == 256 && height == 192; }

struct ImportOptions {
  Dither dither = Dither::None;  // none: each pixel its nearest of the row's pair, as the import always did
  int strength = 100;            // percent of the halftone's spread or of the error carried
  bool oneSet = false;           // a screen's three thirds share one tile set (a tile sheet has one anyway)
  int maxTiles =
      255;  // a screen's tiles a set (a tile sheet keeps all its tiles), at most 255 (tile 255 marks empty cells)
  ScreenMode mode = ScreenMode::Graphics2;  // the screen's; Text takes a 240 x 192 picture
};

// Adds what the picture holds to `data`; into an untouched new project it
// replaces the default tile set (and name table, for a screen). A refused
// picture leaves `data` as it was.
ImportResult ImportPngImage(const uint8_t* bytes, std::size_t size, const std::string& name, Project& data,
                            const ImportOptions& options = {});
