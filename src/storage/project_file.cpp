#include "storage/project_file.h"

#include <algorithm>
#include <cstring>

namespace {
const char kMagic[4] = {'K', 'R', 'V', '!'};
constexpr int32_t kVersion = 1;
const char kSettingsTag[4] = {'S', 'E', 'T', 'B'};
constexpr uint32_t kSettingsVersion = 1;
constexpr std::size_t kTableSettingsSize = 4 * (kThirds + 1);
constexpr std::size_t kStripsSize = kStrips * kStripCells * 5 + 4;
const char kTargetsTag[4] = {'T', 'G', 'T', 'B'};
// Version 2 adds each target's compression; a file whose targets pack nothing
// is still written as version 1, byte for byte as before.
constexpr uint32_t kTargetsVersion = 1;
constexpr uint32_t kPackedTargetsVersion = 2;
constexpr uint32_t kMapTargetsVersion = 3;   // and each target's chosen maps
constexpr uint32_t kAreaTargetsVersion = 4;  // and each target's sdas area
constexpr uint32_t kPackedKindsTargetsVersion = 5;  // and the kinds of table each target packs
constexpr uint32_t kMaxAreaName = 32;
constexpr uint32_t kMaxTargetPath = 4096;
constexpr int32_t kMaxLineNumber = 65529;  // MSX-BASIC's last line
const char kMapsTag[4] = {'M', 'A', 'P', 'B'};
constexpr uint32_t kMapsVersion = 1;
constexpr uint32_t kSolidMapsVersion = 2;  // and, after the maps, each metatile's solid flag
constexpr uint32_t kPlayMapsVersion = 3;   // and, after those, each map's start, speed and walk strip
const char kMetaspritesTag[4] = {'M', 'S', 'P', 'B'};
constexpr uint32_t kMetaspritesVersion = 1;
// Version 2 adds the placements' groups and the animation cells that show
// metasprites; without either, version 1 is written as before.
constexpr uint32_t kGroupedMetaspritesVersion = 2;
const char kSpriteSizeTag[4] = {'S', 'P', 'Z', 'B'};
constexpr uint32_t kSpriteSizeVersion = 1;
constexpr uint32_t kSpriteSizeBlockSize = 4 + 1;
const char kModesTag[4] = {'M', 'O', 'D', 'B'};
constexpr uint32_t kModesVersion = 1;
const char kPaletteTag[4] = {'P', 'A', 'L', 'B'};
constexpr uint32_t kPaletteVersion = 1;
constexpr uint32_t kPaletteBlockSize = 4;
constexpr std::size_t kTextCells = kTextColumns * kTableRows, kBlocks = kBlockColumns * kBlockRows;
constexpr std::size_t kSmallestMetaspriteRecord = kNameSize + 4 * 7;  // no parts
constexpr std::size_t kPartRecordSize = 4 * 3;
constexpr std::size_t kSmallestMapRecord = kNameSize + 4 * 5 + 1 + 1;  // one 1x1 metatile, one cell

// --- writing -------------------------------------------------------------

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}
void PutI32(std::string& out, int32_t value) { PutU32(out, static_cast<uint32_t>(value)); }
void PutF32(std::string& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(out, bits);
}
void PutBytes(std::string& out, const void* data, std::size_t size) {
  out.append(static_cast<const char*>(data), size);
}

void PutSprite(std::string& out, const Sprite& sprite) {
  PutBytes(out, sprite.name, kNameSize);
  out.push_back(static_cast<char>(sprite.colour & 0xFF));
  const uint8_t* pixels = &sprite.pixels[0][0];
  // One bit a pixel, the leftmost pixel in the lowest bit.
  for (int k = 0; k < 32; ++k) {
    uint8_t packed = 0;
    for (int j = 0; j < 8; ++j)
      if (pixels[8 * k + j]) packed |= static_cast<uint8_t>(1 << j);
    out.push_back(static_cast<char>(packed));
  }
}

void PutTileSet(std::string& out, const TileSet& set) {
  PutBytes(out, set.name, kNameSize);
  PutBytes(out, set.pixels, sizeof set.pixels);
  for (const auto& tile : set.foreground)
    for (int32_t colour : tile) PutI32(out, colour);
  for (const auto& tile : set.background)
    for (int32_t colour : tile) PutI32(out, colour);
}

void PutNameTable(std::string& out, const NameTable& table) {
  PutBytes(out, table.name, kNameSize);
  PutBytes(out, table.cells, kTableCells);
  PutU32(out, static_cast<uint32_t>(table.placements.size()));
  for (const SpritePlacement& placement : table.placements) {
    PutI32(out, placement.spriteIndex);
    PutF32(out, placement.x);
    PutF32(out, placement.y);
  }
}

void PutSettings(std::string& out, const Project& data) {
  std::string block;
  PutU32(block, static_cast<uint32_t>(data.nameTables.size()));
  for (const NameTable& table : data.nameTables) {
    for (int32_t set : table.thirdTileSets) PutI32(block, set);
    PutI32(block, table.backdrop);
  }
  for (const auto& strip : data.strips.cells)
    for (int32_t cell : strip) PutI32(block, cell);
  for (const auto& strip : data.strips.active)
    for (bool active : strip) block.push_back(active ? 1 : 0);
  PutF32(block, data.strips.frameSeconds);
  PutBytes(out, kSettingsTag, sizeof kSettingsTag);
  PutU32(out, kSettingsVersion);
  PutU32(out, static_cast<uint32_t>(block.size()));
  out += block;
}

void PutText(std::string& out, const std::string& text) {
  PutU32(out, static_cast<uint32_t>(text.size()));
  out += text;
}

void PutNames(std::string& out, const std::vector<std::string>& names) {
  PutU32(out, static_cast<uint32_t>(names.size()));
  for (const std::string& name : names) PutText(out, name);
}

// Only a project with targets has the block, so that one without them stays
// readable by editors that end the file after the settings.
void PutTargets(std::string& out, const std::vector<ExportTarget>& targets) {
  if (targets.empty()) return;
  bool packed = false, mapsChosen = false, areaChosen = false, kindsChosen = false;
  for (const ExportTarget& target : targets) {
    packed |= target.compression != Compression::None;
    kindsChosen |= target.packedTables != kPackedByDefault;
    mapsChosen |= !target.maps.empty();
    areaChosen |= !target.area.empty();
  }
  const uint32_t version = kindsChosen  ? kPackedKindsTargetsVersion
                           : areaChosen ? kAreaTargetsVersion
                           : mapsChosen ? kMapTargetsVersion
                           : packed     ? kPackedTargetsVersion
                                        : kTargetsVersion;
  std::string block;
  PutU32(block, static_cast<uint32_t>(targets.size()));
  for (const ExportTarget& target : targets) {
    PutI32(block, static_cast<int32_t>(target.format));
    PutText(block, target.path);
    block.push_back(target.allRecords ? 1 : 0);
    PutNames(block, target.sprites);
    PutNames(block, target.tileSets);
    PutNames(block, target.nameTables);
    PutU32(block, target.tables);
    PutI32(block, static_cast<int32_t>(target.layout));
    PutI32(block, static_cast<int32_t>(target.dialect));
    block.push_back(target.cExtern ? 1 : 0);
    PutI32(block, target.firstLine);
    PutI32(block, target.lineStep);
    PutI32(block, target.scale);
    if (version >= kPackedTargetsVersion) PutI32(block, static_cast<int32_t>(target.compression));
    if (version >= kMapTargetsVersion) PutNames(block, target.maps);
    if (version >= kAreaTargetsVersion) PutText(block, target.area);
    if (version >= kPackedKindsTargetsVersion) PutU32(block, target.packedTables);
  }
  PutBytes(out, kTargetsTag, sizeof kTargetsTag);
  PutU32(out, version);
  PutU32(out, static_cast<uint32_t>(block.size()));
  out += block;
}

bool HasSolidMetatiles(const std::vector<Map>& maps) {
  for (const Map& map : maps)
    for (const Metatile& metatile : map.metatiles)
      if (metatile.solid) return true;
  return false;
}

bool HasPlaySettings(const std::vector<Map>& maps) {
  return std::any_of(maps.begin(), maps.end(), [](const Map& map) { return map.play != MapPlay{}; });
}

// Like the targets' block, only a project with maps has it; version 2 only
// with a solid metatile and 3 only with a map's play settings, so that other
// projects save as before.
void PutMaps(std::string& out, const std::vector<Map>& maps) {
  if (maps.empty()) return;
  std::string block;
  PutU32(block, static_cast<uint32_t>(maps.size()));
  for (const Map& map : maps) {
    PutBytes(block, map.name, kNameSize);
    PutI32(block, map.tileSet);
    PutI32(block, map.metatileSize);
    PutU32(block, static_cast<uint32_t>(map.metatiles.size()));
    for (const Metatile& metatile : map.metatiles)
      PutBytes(block, metatile.tiles, static_cast<std::size_t>(map.metatileSize) * map.metatileSize);
    PutI32(block, map.width);
    PutI32(block, map.height);
    PutBytes(block, map.cells.data(), map.cells.size());
  }
  const bool play = HasPlaySettings(maps), solid = play || HasSolidMetatiles(maps);
  for (const Map& map : maps)
    for (const Metatile& metatile : map.metatiles)
      if (solid) block.push_back(metatile.solid ? 1 : 0);
  for (const Map& map : maps)
    if (play) {
      PutI32(block, map.play.startX);
      PutI32(block, map.play.startY);
      PutI32(block, map.play.speed);
      PutI32(block, map.play.walkStrip);
    }
  PutBytes(out, kMapsTag, sizeof kMapsTag);
  PutU32(out, play ? kPlayMapsVersion : solid ? kSolidMapsVersion : kMapsVersion);
  PutU32(out, static_cast<uint32_t>(block.size()));
  out += block;
}

bool HasMetaspriteUses(const Project& data) {
  for (const NameTable& table : data.nameTables)
    for (const SpritePlacement& placement : table.placements)
      if (placement.group != -1) return true;
  const bool* cells = &data.strips.metasprite[0][0];
  return std::any_of(cells, cells + kStrips * kStripCells, [](bool metasprite) { return metasprite; });
}

// Last, and like the maps only in a project that has metasprites or uses them.
void PutMetasprites(std::string& out, const Project& data) {
  const bool uses = HasMetaspriteUses(data);
  if (data.metasprites.empty() && !uses) return;
  std::string block;
  PutU32(block, static_cast<uint32_t>(data.metasprites.size()));
  for (const Metasprite& metasprite : data.metasprites) {
    PutBytes(block, metasprite.name, kNameSize);
    PutI32(block, metasprite.width);
    PutI32(block, metasprite.height);
    for (int32_t value :
         {metasprite.sheet.column, metasprite.sheet.row, metasprite.sheet.columns, metasprite.sheet.rows})
      PutI32(block, value);
    PutU32(block, static_cast<uint32_t>(metasprite.parts.size()));
    for (const MetaspritePart& part : metasprite.parts) {
      PutI32(block, part.sprite);
      PutI32(block, part.x);
      PutI32(block, part.y);
    }
  }
  if (uses) {
    for (const NameTable& table : data.nameTables) {
      PutU32(block, static_cast<uint32_t>(table.placements.size()));
      for (const SpritePlacement& placement : table.placements) PutI32(block, placement.group);
    }
    for (const auto& strip : data.strips.metasprite)
      for (bool metasprite : strip) block.push_back(metasprite ? 1 : 0);
  }
  PutBytes(out, kMetaspritesTag, sizeof kMetaspritesTag);
  PutU32(out, uses ? kGroupedMetaspritesVersion : kMetaspritesVersion);
  PutU32(out, static_cast<uint32_t>(block.size()));
  out += block;
}

// Only a project whose sprites are not 16 x 16 unmagnified has it, last.
void PutSpriteSize(std::string& out, SpriteSize size) {
  if (size == SpriteSize{}) return;
  PutBytes(out, kSpriteSizeTag, sizeof kSpriteSizeTag);
  PutU32(out, kSpriteSizeVersion);
  PutU32(out, kSpriteSizeBlockSize);
  PutI32(out, size.side);
  out.push_back(size.magnified ? 1 : 0);
}

bool HasModes(const Project& data) {
  for (const NameTable& table : data.nameTables)
    if (table.mode != ScreenMode::Graphics2 || table.textColour != NameTable{}.textColour || !table.textCells.empty() ||
        !table.blocks.empty())
      return true;
  return std::any_of(data.tileSets.begin(), data.tileSets.end(), [](const TileSet& set) { return set.graphics1; });
}

// The screens' modes and what only the other modes keep (a Text screen's
// names, a Multicolor screen's blocks), and which tile sets are Graphics I
// sets: last, and only in a project that uses another mode than Graphics II.
void PutModes(std::string& out, const Project& data) {
  if (!HasModes(data)) return;
  std::string block;
  for (const NameTable& table : data.nameTables) {
    PutI32(block, static_cast<int32_t>(table.mode));
    PutI32(block, table.textColour);
    for (const std::vector<uint8_t>* kept : {&table.textCells, &table.blocks}) {
      PutU32(block, static_cast<uint32_t>(kept->size()));
      PutBytes(block, kept->data(), kept->size());
    }
  }
  for (const TileSet& set : data.tileSets) block.push_back(set.graphics1 ? 1 : 0);
  PutBytes(out, kModesTag, sizeof kModesTag);
  PutU32(out, kModesVersion);
  PutU32(out, static_cast<uint32_t>(block.size()));
  out += block;
}

// Only a palette other than the first: other projects save byte for byte as before.
void PutPalette(std::string& out, PaletteId palette) {
  if (palette == PaletteId{}) return;
  PutBytes(out, kPaletteTag, sizeof kPaletteTag);
  PutU32(out, kPaletteVersion);
  PutU32(out, kPaletteBlockSize);
  PutI32(out, static_cast<int32_t>(palette));
}

// --- reading -------------------------------------------------------------

struct Reader {
  const uint8_t* data;
  std::size_t size;
  std::size_t position = 0;

  std::size_t Remaining() const { return size - position; }
  bool Bytes(void* target, std::size_t count) {
    if (Remaining() < count) return false;
    std::memcpy(target, data + position, count);
    position += count;
    return true;
  }
  bool U32(uint32_t& value) {
    uint8_t raw[4];
    if (!Bytes(raw, 4)) return false;
    value = uint32_t(raw[0]) | uint32_t(raw[1]) << 8 | uint32_t(raw[2]) << 16 | uint32_t(raw[3]) << 24;
    return true;
  }
  bool I32(int32_t& value) {
    uint32_t raw;
    if (!U32(raw)) return false;
    value = static_cast<int32_t>(raw);
    return true;
  }
  bool F32(float& value) {
    uint32_t raw;
    if (!U32(raw)) return false;
    std::memcpy(&value, &raw, sizeof value);
    return true;
  }
  // A count of records that the rest of the file can actually hold.
  bool Count(uint32_t& count, std::size_t recordSize) { return U32(count) && count <= Remaining() / recordSize; }
  // A name with no zero in its 21 bytes ends at byte 20.
  bool Name(char (&name)[kNameSize]) {
    if (!Bytes(name, kNameSize)) return false;
    name[kNameSize - 1] = 0;
    return true;
  }
};

bool ReadSprite(Reader& in, Sprite& sprite) {
  uint8_t colour;
  uint8_t packed[32];
  if (!in.Name(sprite.name) || !in.Bytes(&colour, 1) || !in.Bytes(packed, sizeof packed)) return false;
  sprite.colour = colour;
  uint8_t* pixels = &sprite.pixels[0][0];
  for (int k = 0; k < 32; ++k)
    for (int j = 0; j < 8; ++j) pixels[8 * k + j] = packed[k] >> j & 1;
  return true;
}

bool ReadTileSet(Reader& in, TileSet& set) {
  if (!in.Name(set.name) || !in.Bytes(set.pixels, sizeof set.pixels)) return false;
  for (auto& tile : set.foreground)
    for (int32_t& colour : tile)
      if (!in.I32(colour)) return false;
  for (auto& tile : set.background)
    for (int32_t& colour : tile)
      if (!in.I32(colour)) return false;
  return true;
}

bool ReadNameTable(Reader& in, NameTable& table) {
  uint32_t count;
  if (!in.Name(table.name) || !in.Bytes(table.cells, kTableCells) || !in.Count(count, kPlacementRecordSize))
    return false;
  table.placements.resize(count);
  for (SpritePlacement& placement : table.placements)
    if (!in.I32(placement.spriteIndex) || !in.F32(placement.x) || !in.F32(placement.y)) return false;
  return true;
}

bool ReadTableSettings(Reader& in, NameTable& table, std::size_t tileSetCount) {
  // The first set is every third's start value, so it is a valid choice even
  // in a project whose tile sets were all deleted.
  for (int32_t& set : table.thirdTileSets)
    if (!in.I32(set) || set < 0 || (set > 0 && static_cast<std::size_t>(set) >= tileSetCount)) return false;
  return in.I32(table.backdrop) && table.backdrop >= 0 && table.backdrop <= 15;
}

bool ReadStrips(Reader& in, AnimationStrips& strips) {
  for (auto& strip : strips.cells)
    for (int32_t& cell : strip)
      if (!in.I32(cell) || cell < -1) return false;
  for (auto& strip : strips.active)
    for (bool& active : strip) {
      uint8_t flag;
      if (!in.Bytes(&flag, 1) || flag > 1) return false;
      active = flag == 1;
    }
  // Saved times are always in the speed slider's range.
  return in.F32(strips.frameSeconds) && strips.frameSeconds >= 0.03f && strips.frameSeconds <= 1.0f;
}

// A block's tag, version and size; Ok with `size` the bytes that follow.
FileResult ReadBlockHeader(Reader& in, const char (&expectedTag)[4], uint32_t oldest, uint32_t newest,
                           uint32_t& version, uint32_t& size) {
  char tag[4];
  if (!in.Bytes(tag, sizeof tag) || std::memcmp(tag, expectedTag, sizeof tag) != 0 || !in.U32(version))
    return FileResult::TruncatedOrCorrupt;
  if (version < oldest || version > newest) return FileResult::UnsupportedVersion;
  return in.U32(size) && size <= in.Remaining() ? FileResult::Ok : FileResult::TruncatedOrCorrupt;
}

FileResult ReadBlockHeader(Reader& in, const char (&expectedTag)[4], uint32_t expectedVersion, uint32_t& size) {
  uint32_t version;
  return ReadBlockHeader(in, expectedTag, expectedVersion, expectedVersion, version, size);
}

bool ReadText(Reader& in, std::string& text, uint32_t longest) {
  uint32_t length;
  if (!in.U32(length) || length > longest || length > in.Remaining()) return false;
  text.assign(reinterpret_cast<const char*>(in.data + in.position), length);
  in.position += length;
  return text.find('\0') == std::string::npos;
}

bool ReadNames(Reader& in, std::vector<std::string>& names) {
  uint32_t count;
  if (!in.Count(count, 4) || count > 256) return false;
  names.resize(count);
  for (std::string& name : names)
    if (!ReadText(in, name, kNameSize - 1)) return false;
  return true;
}

bool ReadFlag(Reader& in, bool& flag) {
  uint8_t byte;
  if (!in.Bytes(&byte, 1) || byte > 1) return false;
  flag = byte == 1;
  return true;
}

// An enumeration's value, checked against its count.
template <typename Enum>
bool ReadChoice(Reader& in, Enum& value, int32_t count) {
  int32_t raw;
  if (!in.I32(raw) || raw < 0 || raw >= count) return false;
  value = static_cast<Enum>(raw);
  return true;
}

bool ReadTargetFields(Reader& in, ExportTarget& target) {
  return ReadChoice(in, target.format, kExportFormats) && ReadText(in, target.path, kMaxTargetPath) &&
         !target.path.empty() && ReadFlag(in, target.allRecords) && ReadNames(in, target.sprites) &&
         ReadNames(in, target.tileSets) && ReadNames(in, target.nameTables) && in.U32(target.tables) &&
         target.tables <= kAllTables && ReadChoice(in, target.layout, 2) &&
         ReadChoice(in, target.dialect, kAsmDialects) && ReadFlag(in, target.cExtern) && in.I32(target.firstLine) &&
         target.firstLine >= 0 && target.firstLine <= kMaxLineNumber && in.I32(target.lineStep) &&
         target.lineStep >= 1 && target.lineStep <= 1000 && in.I32(target.scale) && target.scale >= 1 &&
         target.scale <= 16;
}

bool ReadTarget(Reader& in, ExportTarget& target, uint32_t version) {
  return ReadTargetFields(in, target) &&
         (version < kPackedTargetsVersion || ReadChoice(in, target.compression, kCompressions)) &&
         (version < kMapTargetsVersion || ReadNames(in, target.maps)) &&
         (version < kAreaTargetsVersion || ReadText(in, target.area, kMaxAreaName)) &&
         (version < kPackedKindsTargetsVersion || (in.U32(target.packedTables) && target.packedTables <= kAllTables));
}

FileResult ReadTargets(Reader& in, Project& into) {
  uint32_t size, count, version;
  if (FileResult result = ReadBlockHeader(in, kTargetsTag, kTargetsVersion, kPackedKindsTargetsVersion, version, size);
      result != FileResult::Ok)
    return result;
  const std::size_t end = in.position + size;
  if (!in.Count(count, 1)) return FileResult::TruncatedOrCorrupt;
  into.exportTargets.resize(count);
  for (ExportTarget& target : into.exportTargets)
    if (!ReadTarget(in, target, version)) return FileResult::TruncatedOrCorrupt;
  return in.position == end ? FileResult::Ok : FileResult::TruncatedOrCorrupt;
}

bool ReadMap(Reader& in, Map& map, std::size_t tileSetCount) {
  uint32_t metatiles;
  if (!in.Name(map.name) || !in.I32(map.tileSet) || map.tileSet < 0 ||
      (map.tileSet > 0 && static_cast<std::size_t>(map.tileSet) >= tileSetCount) || !in.I32(map.metatileSize) ||
      !ValidMetatileSize(map.metatileSize) || !in.Count(metatiles, 1) || metatiles < 1 || metatiles > kMaxMetatiles)
    return false;
  map.metatiles.resize(metatiles);
  for (Metatile& metatile : map.metatiles)
    if (!in.Bytes(metatile.tiles, static_cast<std::size_t>(map.metatileSize) * map.metatileSize)) return false;
  if (!in.I32(map.width) || !in.I32(map.height) || map.width < 1 || map.height < 1 || map.width > kMaxMapSide ||
      map.height > kMaxMapSide)
    return false;
  map.cells.resize(static_cast<std::size_t>(map.width) * map.height);
  if (!in.Bytes(map.cells.data(), map.cells.size())) return false;
  for (const uint8_t cell : map.cells)
    if (cell >= metatiles) return false;
  return true;
}

// A start off the map is kept (the map may have shrunk since); the cartridge refuses it.
bool ReadPlay(Reader& in, Map& map) {
  MapPlay& play = map.play;
  return in.I32(play.startX) && in.I32(play.startY) && in.I32(play.speed) && in.I32(play.walkStrip) &&
         play.startX >= -1 && play.startY >= -1 && play.speed >= 1 && play.speed <= kMaxWalkSpeed &&
         play.walkStrip >= -1 && play.walkStrip < kStrips;
}

FileResult ReadMaps(Reader& in, Project& into) {
  uint32_t size, count, version;
  if (FileResult result = ReadBlockHeader(in, kMapsTag, kMapsVersion, kPlayMapsVersion, version, size);
      result != FileResult::Ok)
    return result;
  const std::size_t end = in.position + size;
  if (!in.Count(count, kSmallestMapRecord)) return FileResult::TruncatedOrCorrupt;
  into.maps.resize(count);
  for (Map& map : into.maps)
    if (!ReadMap(in, map, into.tileSets.size())) return FileResult::TruncatedOrCorrupt;
  for (Map& map : into.maps)
    for (Metatile& metatile : map.metatiles)
      if (version >= kSolidMapsVersion && !ReadFlag(in, metatile.solid)) return FileResult::TruncatedOrCorrupt;
  for (Map& map : into.maps)
    if (version >= kPlayMapsVersion && !ReadPlay(in, map)) return FileResult::TruncatedOrCorrupt;
  return in.position == end ? FileResult::Ok : FileResult::TruncatedOrCorrupt;
}

// A part may name a sprite no longer there (as a placement may), but its
// place must be one the chip can show within the picture.
bool ReadMetasprite(Reader& in, Metasprite& metasprite) {
  uint32_t parts;
  if (!in.Bytes(metasprite.name, kNameSize) || !in.I32(metasprite.width) || !in.I32(metasprite.height) ||
      metasprite.width < kSmallestSpriteSide || metasprite.width > kMaxMetaspriteSide ||
      metasprite.height < kSmallestSpriteSide || metasprite.height > kMaxMetaspriteSide)
    return false;
  SheetCell& sheet = metasprite.sheet;
  if (!in.I32(sheet.column) || !in.I32(sheet.row) || !in.I32(sheet.columns) || !in.I32(sheet.rows) ||
      sheet.columns < 0 || sheet.rows < 0 || sheet.columns > kMaxSheetCells || sheet.rows > kMaxSheetCells ||
      sheet.column < -1 || sheet.row < -1 || sheet.column >= std::max(sheet.columns, 1) ||
      sheet.row >= std::max(sheet.rows, 1) || !in.Count(parts, kPartRecordSize))
    return false;
  metasprite.parts.resize(parts);
  for (MetaspritePart& part : metasprite.parts)
    if (!in.I32(part.sprite) || !in.I32(part.x) || !in.I32(part.y) || part.x <= -kSpriteSize ||
        part.x >= kMaxMetaspriteSide || part.y <= -kSpriteSize || part.y >= kMaxMetaspriteSide)
      return false;
  return true;
}

// Each table's placements once more, now with their groups, then the
// animation cells' kinds; a metasprite cell must name a metasprite.
bool ReadMetaspriteUses(Reader& in, Project& into) {
  for (NameTable& table : into.nameTables) {
    uint32_t placements;
    if (!in.U32(placements) || placements != table.placements.size()) return false;
    for (SpritePlacement& placement : table.placements)
      if (!in.I32(placement.group) || placement.group < -1) return false;
  }
  for (int s = 0; s < kStrips; ++s)
    for (int f = 0; f < kStripCells; ++f) {
      bool& metasprite = into.strips.metasprite[s][f];
      if (!ReadFlag(in, metasprite) ||
          (metasprite && into.strips.cells[s][f] >= static_cast<int32_t>(into.metasprites.size())))
        return false;
    }
  return true;
}

FileResult ReadMetasprites(Reader& in, Project& into) {
  uint32_t size, count, version;
  if (FileResult result =
          ReadBlockHeader(in, kMetaspritesTag, kMetaspritesVersion, kGroupedMetaspritesVersion, version, size);
      result != FileResult::Ok)
    return result;
  const std::size_t end = in.position + size;
  if (!in.Count(count, kSmallestMetaspriteRecord) || count > kMaxMetasprites) return FileResult::TruncatedOrCorrupt;
  into.metasprites.resize(count);
  for (Metasprite& metasprite : into.metasprites)
    if (!ReadMetasprite(in, metasprite)) return FileResult::TruncatedOrCorrupt;
  if (version == kGroupedMetaspritesVersion && !ReadMetaspriteUses(in, into)) return FileResult::TruncatedOrCorrupt;
  return in.position == end ? FileResult::Ok : FileResult::TruncatedOrCorrupt;
}

FileResult ReadSpriteSize(Reader& in, Project& into) {
  uint32_t size;
  if (FileResult result = ReadBlockHeader(in, kSpriteSizeTag, kSpriteSizeVersion, size); result != FileResult::Ok)
    return result;
  SpriteSize& read = into.spriteSize;
  return size == kSpriteSizeBlockSize && in.I32(read.side) &&
                 (read.side == kSmallestSpriteSide || read.side == kSpriteSize) && ReadFlag(in, read.magnified)
             ? FileResult::Ok
             : FileResult::TruncatedOrCorrupt;
}

FileResult ReadPalette(Reader& in, Project& into) {
  uint32_t size;
  if (FileResult result = ReadBlockHeader(in, kPaletteTag, kPaletteVersion, size); result != FileResult::Ok)
    return result;
  // A number this version does not know is kept (it shows the first palette):
  // a newer version's palette survives a save here.
  int32_t raw;
  if (size != kPaletteBlockSize || !in.I32(raw) || raw == 0) return FileResult::TruncatedOrCorrupt;
  into.palette = static_cast<PaletteId>(raw);
  return FileResult::Ok;
}

// A Text screen's names fill 40 x 24 and a Multicolor screen's blocks 64 x
// 48 of the 16 colours, or the screen has none yet.
bool ReadKept(Reader& in, std::vector<uint8_t>& kept, std::size_t size, uint8_t largest) {
  uint32_t count;
  if (!in.U32(count) || (count != 0 && count != size) || in.Remaining() < count) return false;
  kept.assign(in.data + in.position, in.data + in.position + count);
  in.position += count;
  return std::all_of(kept.begin(), kept.end(), [largest](uint8_t value) { return value <= largest; });
}

FileResult ReadModes(Reader& in, Project& into) {
  uint32_t size;
  if (FileResult result = ReadBlockHeader(in, kModesTag, kModesVersion, size); result != FileResult::Ok) return result;
  const std::size_t end = in.position + size;
  for (NameTable& table : into.nameTables)
    if (!ReadChoice(in, table.mode, kScreenModes) || !in.I32(table.textColour) || table.textColour < 0 ||
        table.textColour > 15 || !ReadKept(in, table.textCells, kTextCells, 255) ||
        !ReadKept(in, table.blocks, kBlocks, 15))
      return FileResult::TruncatedOrCorrupt;
  for (TileSet& set : into.tileSets)
    if (!ReadFlag(in, set.graphics1)) return FileResult::TruncatedOrCorrupt;
  // A screen in a mode keeps what that mode shows.
  for (const NameTable& table : into.nameTables)
    if ((table.mode == ScreenMode::Text && table.textCells.empty()) ||
        (table.mode == ScreenMode::Multicolor && table.blocks.empty()))
      return FileResult::TruncatedOrCorrupt;
  return in.position == end ? FileResult::Ok : FileResult::TruncatedOrCorrupt;
}

// The blocks after the settings, each only when the project has its records:
// the export targets, the maps, the metasprites, the sprite size, the screen
// modes, the palette. Nothing may follow them.
FileResult ReadLaterBlocks(Reader& in, Project& into) {
  const auto next = [&in](const char(&tag)[4]) {
    return in.Remaining() >= 4 && std::memcmp(in.data + in.position, tag, 4) == 0;
  };
  if (next(kTargetsTag))
    if (FileResult result = ReadTargets(in, into); result != FileResult::Ok) return result;
  if (next(kMapsTag))
    if (FileResult result = ReadMaps(in, into); result != FileResult::Ok) return result;
  if (next(kMetaspritesTag))
    if (FileResult result = ReadMetasprites(in, into); result != FileResult::Ok) return result;
  if (next(kSpriteSizeTag))
    if (FileResult result = ReadSpriteSize(in, into); result != FileResult::Ok) return result;
  if (next(kModesTag))
    if (FileResult result = ReadModes(in, into); result != FileResult::Ok) return result;
  if (next(kPaletteTag))
    if (FileResult result = ReadPalette(in, into); result != FileResult::Ok) return result;
  return in.Remaining() == 0 ? FileResult::Ok : FileResult::TruncatedOrCorrupt;
}

FileResult ReadSettings(Reader& in, Project& into) {
  if (in.Remaining() == 0) return FileResult::Ok;  // written before the block existed
  uint32_t size, tables;
  if (FileResult result = ReadBlockHeader(in, kSettingsTag, kSettingsVersion, size); result != FileResult::Ok)
    return result;
  if (!in.U32(tables) || tables != into.nameTables.size() || size != 4 + tables * kTableSettingsSize + kStripsSize)
    return FileResult::TruncatedOrCorrupt;
  for (NameTable& table : into.nameTables)
    if (!ReadTableSettings(in, table, into.tileSets.size())) return FileResult::TruncatedOrCorrupt;
  return ReadStrips(in, into.strips) ? ReadLaterBlocks(in, into) : FileResult::TruncatedOrCorrupt;
}

template <typename Record>
bool ReadList(Reader& in, std::size_t smallestRecord, bool (*readRecord)(Reader&, Record&), std::vector<Record>& list) {
  uint32_t count;
  if (!in.Count(count, smallestRecord)) return false;
  list.clear();
  list.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    list.emplace_back();
    if (!readRecord(in, list.back())) return false;
  }
  return true;
}
}  // namespace

std::string SerializeProject(const Project& data) {
  const std::vector<Sprite>& sprites = data.sprites;
  const std::vector<TileSet>& tileSets = data.tileSets;
  const std::vector<NameTable>& nameTables = data.nameTables;
  std::string out;
  out.reserve(16 + sprites.size() * kSpriteRecordSize + tileSets.size() * kTileSetRecordSize +
              nameTables.size() * kNameTableRecordSize);
  PutBytes(out, kMagic, sizeof kMagic);
  PutI32(out, kVersion);
  PutU32(out, static_cast<uint32_t>(sprites.size()));
  for (const Sprite& sprite : sprites) PutSprite(out, sprite);
  PutU32(out, static_cast<uint32_t>(tileSets.size()));
  for (const TileSet& set : tileSets) PutTileSet(out, set);
  PutU32(out, static_cast<uint32_t>(nameTables.size()));
  for (const NameTable& table : nameTables) PutNameTable(out, table);
  PutSettings(out, data);
  PutTargets(out, data.exportTargets);
  PutMaps(out, data.maps);
  PutMetasprites(out, data);
  PutSpriteSize(out, data.spriteSize);
  PutModes(out, data);
  PutPalette(out, data.palette);
  return out;
}

FileResult ParseProject(const uint8_t* data, std::size_t size, Project& into) {
  Reader in{data, size};
  char magic[4];
  if (!in.Bytes(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof magic) != 0)
    return FileResult::NotProjectFile;
  int32_t version;
  if (!in.I32(version)) return FileResult::TruncatedOrCorrupt;
  if (version != kVersion) return FileResult::UnsupportedVersion;
  into = Project{};
  if (!ReadList(in, kSpriteRecordSize, ReadSprite, into.sprites) ||
      !ReadList(in, kTileSetRecordSize, ReadTileSet, into.tileSets) ||
      !ReadList(in, kNameTableRecordSize, ReadNameTable, into.nameTables))
    return FileResult::TruncatedOrCorrupt;
  return ReadSettings(in, into);
}

FileResult LoadProjectImage(const uint8_t* data, std::size_t size) {
  Project loaded;
  if (FileResult result = ParseProject(data, size, loaded); result != FileResult::Ok) return result;
  std::swap(project, loaded);
  return FileResult::Ok;
}

FileResult LoadProject(const std::string& path) {
  std::vector<uint8_t> contents;
  if (FileResult result = ReadWholeFile(path, contents); result != FileResult::Ok) return result;
  return LoadProjectImage(contents.data(), contents.size());
}

FileResult SaveProject(const std::string& path, const Project& data) {
  return ReplaceFile(path, SerializeProject(data), false);
}

FileResult SaveProject(const std::string& path) { return SaveProject(path, project); }
