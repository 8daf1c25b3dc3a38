#pragma once
// The project: three lists of plain fixed-size records, the animation strips,
// the export targets and the maps,
// the fixed palette and the naming rule. No GUI here, so tools and tests link it bare.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/export_target.h"
#include "model/map.h"
#include "model/metasprite.h"
#include "model/palettes.h"
#include "model/screen_mode.h"

constexpr std::size_t kNameSize = kMapNameSize;  // 20 characters and a zero
constexpr int kTilesPerSet = 256;
constexpr int kSpriteSize = 16;
constexpr int kSmallestSpriteSide = 8;
constexpr int kMaxSprites = 256;  // the patterns the chip's sprite pattern table holds
constexpr int kTableColumns = 32;
constexpr int kTableRows = 24;
constexpr int kTableCells = kTableColumns * kTableRows;
constexpr int kThirds = 3;  // screen thirds, 8 rows each, each with its own tile set
constexpr int kStrips = 4;
constexpr int kStripCells = 8;

struct TileSet {
  char name[kNameSize] = {};
  uint8_t pixels[kTilesPerSet][8][8] = {};   // tile, row, column; non-zero = foreground
  int32_t foreground[kTilesPerSet][8] = {};  // palette index per tile row
  int32_t background[kTilesPerSet][8] = {};
  bool graphics1 = false;  // edited as Graphics I: the 8 tiles of a group share one colour pair
};

// The palette index a tile's pixel shows: its row's foreground or background colour.
inline int TilePixelColour(const TileSet& set, int tile, int y, int x) {
  return (set.pixels[tile][y][x] ? set.foreground[tile][y] : set.background[tile][y]) & 15;
}

struct Sprite {
  char name[kNameSize] = {};
  uint8_t pixels[kSpriteSize][kSpriteSize] = {};  // row, column; non-zero = set
  int32_t colour = 0;
};

struct SpritePlacement {
  int32_t spriteIndex = 0;  // may name no sprite any more: then it is kept but not drawn
  float x = 0;              // view units, 4.75 to a screen pixel
  float y = 0;
  int32_t group = -1;  // placements dropped together as one metasprite share a number and move as one
};

struct NameTable {
  NameTable();  // blank: no name, every cell empty, no placements, first set everywhere
  char name[kNameSize];
  uint8_t cells[kTableCells];               // row * 32 + column
  std::vector<SpritePlacement> placements;  // drawn in this order
  int32_t thirdTileSets[kThirds];           // index into tileSets for rows 0-7, 8-15, 16-23
  int32_t backdrop = 0;                     // palette index behind the screen
  ScreenMode mode = ScreenMode::Graphics2;
  int32_t textColour = 15;         // Text: the letters' colour, over the backdrop
  std::vector<uint8_t> textCells;  // Text: 40 x 24 names, row by row; empty until the screen is first Text
  std::vector<uint8_t> blocks;     // Multicolor: 64 x 48 colours, row by row; empty until first Multicolor
};

// The one sprite size the chip shows on the whole screen: register 1's SIZE
// and MAG bits. A sprite record always holds 16 x 16 pixels; an 8 x 8 sprite
// is its top-left quarter, so that switching back loses nothing.
struct SpriteSize {
  int32_t side = kSpriteSize;  // pattern pixels a side: kSmallestSpriteSide or kSpriteSize
  bool magnified = false;      // each pattern pixel shown 2 x 2
  int Scale() const { return magnified ? 2 : 1; }
  int ScreenSide() const { return side * Scale(); }  // screen pixels a side
  // The pattern number the sprite attribute table takes for the n-th pattern.
  int PatternNumber(int n) const { return side == kSpriteSize ? 4 * n : n; }
  int PatternTableSprites() const { return side == kSpriteSize ? 64 : 256; }  // in its 2 KB
  bool Holds(int sprite) const { return sprite < PatternTableSprites(); }     // the chip can show it
  uint8_t RegisterBits() const { return static_cast<uint8_t>((side == kSpriteSize ? 2 : 0) | (magnified ? 1 : 0)); }
};
inline bool operator==(SpriteSize a, SpriteSize b) { return a.side == b.side && a.magnified == b.magnified; }
inline bool operator!=(SpriteSize a, SpriteSize b) { return !(a == b); }

// The Sprite Studio's animation bench: four strips of eight cells.
struct AnimationStrips {
  AnimationStrips();                      // every cell empty and inactive
  int32_t cells[kStrips][kStripCells];    // sprite index (metasprite index where marked), -1 = empty
  bool active[kStrips][kStripCells];      // takes part in the animation
  bool metasprite[kStrips][kStripCells];  // the cell shows a metasprite, a walk cycle's frame
  float frameSeconds = 0.15f;             // seconds a frame is shown
};
// No cell of the strip shows anything.
bool EmptyStrip(const AnimationStrips& strips, int strip);

struct Project {
  std::vector<Sprite> sprites;
  std::vector<TileSet> tileSets;
  std::vector<NameTable> nameTables;
  AnimationStrips strips;
  std::vector<ExportTarget> exportTargets;  // written by Export Again, in this order
  std::vector<Map> maps;
  std::vector<Metasprite> metasprites;
  SpriteSize spriteSize;
  PaletteId palette = PaletteId::Tms9918a;  // how the machine shows the colour numbers
};

// Equal as the project file would store them, floats bit for bit.
bool operator==(const Sprite& a, const Sprite& b);
bool operator==(const TileSet& a, const TileSet& b);
bool operator==(const SpritePlacement& a, const SpritePlacement& b);
bool operator==(const NameTable& a, const NameTable& b);
bool operator==(const AnimationStrips& a, const AnimationStrips& b);
bool operator==(const Project& a, const Project& b);

// The project shows, imports and exports in `palette` from now on; false when it already did.
bool ChoosePalette(Project& data, PaletteId palette);

// A new project as DefaultProject makes it, in whatever palette it shows.
bool IsUntouchedProject(const Project& data);

// "; sprites 65 to 80 lie past ..." when the project holds sprites past the
// chip's pattern table, for an import's report; else empty.
std::string PastPatternTableWarning(const Project& data);
inline bool operator!=(const TileSet& a, const TileSet& b) { return !(a == b); }
inline bool operator!=(const NameTable& a, const NameTable& b) { return !(a == b); }
inline bool operator!=(const AnimationStrips& a, const AnimationStrips& b) { return !(a == b); }
inline bool operator!=(const Project& a, const Project& b) { return !(a == b); }

// The open project and its lists by name.
extern Project project;
// While set, the views draw in this palette instead of the project's: a
// comparison that changes nothing in the project.
extern const ChipPalette* paletteShownInstead;
// The open project's palette: Palette[colour] is how it shows that colour
// number. Inline: the views and the PNG writer ask it for every pixel.
struct ShownPalette {
  uint32_t operator[](int colour) const {
    return (paletteShownInstead ? *paletteShownInstead : PaletteOf(project.palette)).colours[colour & 15];
  }
};
inline constexpr ShownPalette Palette{};
// The palette's names, as the colour tooltips give them ("4 Dark Blue").
inline constexpr const char* ColourNames[16] = {
    "Transparent", "Black",     "Medium Green", "Light Green",  "Dark Blue",  "Light Blue", "Dark Red", "Cyan",
    "Medium Red",  "Light Red", "Dark Yellow",  "Light Yellow", "Dark Green", "Magenta",    "Gray",     "White"};

std::vector<Sprite>& sprites();
extern std::vector<TileSet>& tileSets;
extern std::vector<NameTable>& nameTables;

// Copies at most 20 characters of source and terminates the field at byte 20.
void SetName(char (&name)[kNameSize], const char* source);
// Bounded formatted print into a name field, for the numbered default names.
void FormatName(char (&name)[kNameSize], const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

TileSet DefaultTileSet();                 // "Tile Set 1"
constexpr int32_t kNewSpriteColour = 15;  // white
Sprite DefaultSprite();                   // "Sprite 0", white
NameTable DefaultNameTable();             // "Name Table 1"

// The tile set rows 0-7, 8-15 or 16-23 of `table` draw from; a choice naming
// no set draws from the first.
int TileSetForRow(const NameTable& table, int row, std::size_t tileSetCount);
// The tile set a map draws from: a blank one in a project without any (the file allows it).
const TileSet& MapTileSet(const Project& data, const Map& map);

// The start of a new project: one default record in each list, empty strips.
Project DefaultProject();
// New project: every list emptied, then one default record each.
void ResetProject();

// Every use of a sprite by its index (placements, animation cells, metasprite
// parts) among the first `count` sprites becomes renumber(index); a use
// renumbered to -1 names no sprite. Returns how many did.
int RenumberSpriteUses(Project& data, int count, const std::function<int(int)>& renumber);
// Animation cells showing metasprite `removed` empty; those after it follow it down the list.
void ForgetMetasprite(AnimationStrips& strips, int removed);
