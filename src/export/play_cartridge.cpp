#include "export/play_cartridge.h"

#include "chip/chip_bytes.h"

extern const uint8_t k_msx1_play_loader[], k_sg1000_play_loader[];
extern const std::size_t k_msx1_play_loader_size, k_sg1000_play_loader_size;

namespace {
constexpr std::size_t kSolidPage = 0x100, kFirstNamePage = 0x200;

void SetWord(std::string& out, std::size_t at, std::size_t value) {
  out[at] = char(value & 0xFF);
  out[at + 1] = char(value >> 8 & 0xFF);
}
}  // namespace

uint16_t MapPageAddress(Machine machine) { return machine == Machine::Msx1 ? 0x8000 : 0x4000; }

std::vector<VideoBlock> PlayVideoBlocks(const Project& data, const WalkWorld& world) {
  std::vector<VideoBlock> blocks;
  const TileSet& set = MapTileSet(data, *world.map);
  const std::vector<uint8_t> patterns = PatternBytes(set), colours = ColourBytes(set);
  for (int third = 0; third < kThirds; ++third) {
    blocks.push_back({static_cast<uint16_t>(kPatternBase + third * kThirdTableSize), patterns});
    blocks.push_back({static_cast<uint16_t>(kColourBase + third * kThirdTableSize), colours});
  }
  const NameTable sprites;  // only the sprites: no screen's sets
  const ChipTables tables = BuildChipTables(data, &sprites);
  if (!tables.spritePatterns.empty()) blocks.push_back({kSpritePatternBase, tables.spritePatterns});
  return blocks;
}

namespace {
// The map page's head: the header, solid flags, name pages and walk frames; the row table is added after.
std::string MapHead(const WalkWorld& world, uint16_t address, bool banked) {
  const Map& map = *world.map;
  const int size = map.metatileSize;
  std::string page(kFirstNamePage, '\0');
  page[0] = char(world.shift);
  page[1] = char(size);
  const int values[] = {world.tilesWide - kTableColumns,
                        world.tilesHigh - kTableRows,
                        world.tilesWide * 8,
                        world.tilesHigh * 8,
                        world.startX,
                        world.startY,
                        world.viewColumn,
                        world.viewRow,
                        world.boxWidth,
                        world.boxHeight};
  for (std::size_t i = 0; i < std::size(values); ++i) SetWord(page, 2 + 2 * i, values[i]);
  page[0x16] = char(world.speed);
  page[0x17] = char(world.frames.size());
  page[0x18] = char(world.frameTicks);
  page[0x19] = char((address + kFirstNamePage) >> 8);
  page[0x1E] = char((address + kSolidPage) >> 8);
  page[0x1F] = char(banked ? 1 : 0);
  page[0x20] = char(8 * size - 1);
  for (std::size_t m = 0; m < map.metatiles.size(); ++m) page[kSolidPage + m] = map.metatiles[m].solid ? 1 : 0;
  for (int row = 0; row < size; ++row)
    for (int column = 0; column < size; ++column) {
      std::string names(256, '\0');
      for (std::size_t m = 0; m < map.metatiles.size(); ++m)
        names[m] = char(map.Tile(static_cast<int>(m), column, row));
      page += names;
    }
  SetWord(page, 0x1A, address + page.size());
  std::size_t at = address + page.size() + 2 * world.frames.size();
  for (const std::vector<WalkPart>& parts : world.frames) PutWord(page, at), at += 1 + 4 * parts.size();
  for (const std::vector<WalkPart>& parts : world.frames) {
    page += char(parts.size());
    for (const WalkPart& part : parts) page += {char(part.y), char(part.x), char(part.pattern), char(part.colour)};
  }
  SetWord(page, 0x1C, address + page.size());
  return page;
}

std::string TooLarge(const Map& map, std::size_t size, std::size_t room, const char* where) {
  return "\"" + std::string(map.name) + "\" needs " + std::to_string(size) + " bytes of map data, more than the " +
         std::to_string(room) + " " + where;
}
}  // namespace

std::string MapPageBytes(const WalkWorld& world, uint16_t address, std::string& error) {
  const Map& map = *world.map;
  std::string page = MapHead(world, address, false);
  std::size_t at = address + page.size() + 3 * map.height;
  for (int row = 0; row < map.height; ++row) PutWord(page, at), page += '\0', at += map.width;
  page.append(map.cells.begin(), map.cells.end());
  if (page.size() > kMapPageSize) return error = TooLarge(map, page.size(), kMapPageSize, "a map page holds"), "";
  return page;
}

// The megaROM's map: the head in one bank at `address`, the rows of cells
// in the banks after it, as many whole rows to a bank as fit.
std::string BankedMapBytes(const WalkWorld& world, uint16_t address, std::string& error) {
  const Map& map = *world.map;
  std::string head = MapHead(world, address, true), banks;
  const int rowsPerBank = static_cast<int>(kBankSize / map.width);
  for (int row = 0; row < map.height; ++row) {
    const int bank = row / rowsPerBank;
    PutWord(head, kBankedCellsAddress + (row % rowsPerBank) * map.width);
    head += char(kFirstCellBank + bank);
    if (row % rowsPerBank == 0) banks.resize(static_cast<std::size_t>(bank + 1) * kBankSize, char(0xFF));
    std::copy(map.cells.begin() + map.Index(0, row), map.cells.begin() + map.Index(0, row) + map.width,
              banks.begin() + static_cast<std::size_t>(bank) * kBankSize + (row % rowsPerBank) * map.width);
  }
  if (head.size() > kBankSize)
    return error = TooLarge(map, head.size(), kBankSize, "a megaROM's first map bank holds"), "";
  head.resize(kBankSize, char(0xFF));
  return head + banks;
}

Cartridge BuildPlayCartridge(const Project& data, std::size_t map, Machine machine, int frameColumn, int frameRow) {
  if (data.tileSets.empty()) return {{}, "the project has no tile set to draw the map with"};
  const WalkWorld world = MakeWalkWorld(data, map, frameColumn, frameRow);
  if (!world.error.empty()) return {{}, world.error};
  const bool msx = machine == Machine::Msx1;
  std::string error;
  std::string page = MapPageBytes(world, MapPageAddress(machine), error);
  if (!error.empty() && msx) error.clear(), page = BankedMapBytes(world, MapPageAddress(machine), error);
  if (!error.empty()) return {{}, error + (msx ? "" : " (the MSX1's megaROM holds more)")};

  std::string rom = msx ? std::string(k_msx1_play_loader, k_msx1_play_loader + k_msx1_play_loader_size)
                        : std::string(k_sg1000_play_loader, k_sg1000_play_loader + k_sg1000_play_loader_size);
  const std::size_t base = msx ? 0x4000 : 0x0000;
  ModeRegisters registers = RegistersFor(NameTable(), data.spriteSize);
  registers.values[1] |= 0x20;  // the engine waits for the frame interrupt on both machines
  rom.append(std::begin(registers.values), std::end(registers.values));
  const std::vector<VideoBlock> blocks = PlayVideoBlocks(data, world);
  std::size_t at = base + rom.size() + 6 * blocks.size() + 2;
  std::string tables;
  for (const VideoBlock& block : blocks) {
    // The three thirds share their bytes.
    std::size_t source = tables.find(std::string(block.bytes.begin(), block.bytes.end()));
    if (source == std::string::npos) source = tables.size(), tables.append(block.bytes.begin(), block.bytes.end());
    PutWord(rom, block.bytes.size());
    PutWord(rom, at + source);
    PutWord(rom, block.address);
  }
  PutWord(rom, 0);
  rom += tables;
  rom.resize(kCartridgeLimit / 2, char(0xFF));
  rom += page;
  std::size_t size = kCartridgeLimit;
  while (size < rom.size()) size *= 2;  // a megaROM's size is a power of two, as flash cartridges take them
  rom.resize(size, char(0xFF));
  return {rom, {}};
}
