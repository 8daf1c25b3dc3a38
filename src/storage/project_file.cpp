#include "storage/project_file.h"

#include <cstring>

namespace {
const char kMagic[4] = {'K', 'R', 'V', '!'};
constexpr int32_t kVersion = 1;
const char kSettingsTag[4] = {'S', 'E', 'T', 'B'};
constexpr uint32_t kSettingsVersion = 1;
constexpr std::size_t kTableSettingsSize = 4 * (kThirds + 1);
constexpr std::size_t kStripsSize = kStrips * kStripCells * 5 + 4;

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

FileResult ReadSettings(Reader& in, Project& into) {
  if (in.Remaining() == 0) return FileResult::Ok;  // written before the block existed
  char tag[4];
  uint32_t version, size, tables;
  if (!in.Bytes(tag, sizeof tag) || std::memcmp(tag, kSettingsTag, sizeof tag) != 0 || !in.U32(version))
    return FileResult::TruncatedOrCorrupt;
  if (version != kSettingsVersion) return FileResult::UnsupportedVersion;
  if (!in.U32(size) || size != in.Remaining() || !in.U32(tables) || tables != into.nameTables.size() ||
      size != 4 + tables * kTableSettingsSize + kStripsSize)
    return FileResult::TruncatedOrCorrupt;
  for (NameTable& table : into.nameTables)
    if (!ReadTableSettings(in, table, into.tileSets.size())) return FileResult::TruncatedOrCorrupt;
  return ReadStrips(in, into.strips) ? FileResult::Ok : FileResult::TruncatedOrCorrupt;
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
