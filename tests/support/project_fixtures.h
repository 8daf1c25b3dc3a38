#pragma once
// Shared fixtures: whole files in and out, a project with the details a careless
// reader or writer loses, recognisable tiles, and every program-wide record back
// to its start values.

#include <string>

#include "import/png_import.h"
#include "import/sprite_sheet.h"
#include "model/project.h"
#include "storage/png_file.h"
#include "storage/project_file.h"
#include "support/temp_dir.h"

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);

// Five sprites, three tile sets, three name tables: stale bytes after a name's
// zero, fractional and odd placements, out-of-range colours.
void MakeRichProject();

// What the machines must show as the editor does: three different tile sets in
// the thirds, empty cells, a backdrop, six sprites with five on one line and
// placements partly off every edge, letters and blocks for Text and
// Multicolor; a second name table of three sets more,
// so that a cartridge of both takes 32 KB.
void MakeMachineProject();
// The machine project with map "Held out" of 80 x 60 tiles in metatiles `size`
// tiles across (`wide`: 256 x 64 cells, a megaROM's worth), with solid walls,
// walked by strip 1 at 2 pixels a frame.
void MakeWalkProject(int size, bool wide = false);

// A project file's image (its first `size` bytes) read into `into`.
FileResult ParseImage(const std::string& image, Project& into, std::size_t size = std::string::npos);
// True when `image` with `value`'s low `width` bytes written at `at` (lowest first) is refused as damaged.
bool RefusedWith(std::string image, std::size_t at, int32_t value, int width = 1);

// What only the Linux run can test: the toolchains, ImageMagick and the POSIX
// shell are Linux programs, and Windows' file names ignore letter case.
#ifdef _WIN32
#define SKIP_UNDER_WINDOWS(why) GTEST_SKIP() << why
#else
#define SKIP_UNDER_WINDOWS(why) (void)0
#endif

// A sprite sheet nobody here drew: ImageMagick's own pictures at 32 x 32 in
// at most 3 of the chip's colours, a row of five and an empty cell, made in
// `dir`; "" when ImageMagick is missing.
std::string MadeSpriteSheet(const TempDir& dir);
// That sheet imported into `data` as "walk", in its cells of 32 x 32.
SpriteSheetResult ImportWalkSheet(const std::string& sheet, Project& data);

// A tile whose every row is recognisable: pixels and both colours derive from `seed`.
void FillTile(TileSet& set, int tile, int seed);

// A PNG's pixels (none when it is not one), and a picture's import from its bytes.
RgbaImage Decoded(const std::string& png);
ImportResult ImportPicture(const std::string& png, const char* name, Project& into, const ImportOptions& options = {});

// FNV-1a of bytes: a golden value pins a whole stored format in one line.
uint64_t Fingerprint(const std::string& bytes);

// A row of small values as one hex digit each ('?' past 15), so that one
// comparison checks a whole row: Digits(canvas.pixels[3], 24) == "001010...".
template <typename Value>
std::string Digits(const Value* values, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i)
    digits += values[i] >= 0 && values[i] < 16 ? "0123456789ABCDEF"[static_cast<int>(values[i])] : '?';
  return digits;
}

// Each record's name and a "|": a list's names and order in one comparison.
template <typename Record>
std::string Names(const std::vector<Record>& list) {
  std::string names;
  for (const Record& record : list) names += std::string(record.name) + "|";
  return names;
}

// The project, the studios' records, the history, the file session and the notice as at start-up.
void ResetEditor();
