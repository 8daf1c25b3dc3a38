#pragma once
// The Play Map cartridge: the engine assembled from src/chip/loaders (the
// *_play.asm files), the chip's registers and the tables it loads at start,
// then the map page the engine walks in. The README gives the layout.

#include <cstdint>
#include <string>
#include <vector>

#include "chip/map_walk.h"
#include "chip/video_memory.h"
#include "export/cartridge.h"

// What the engine keeps in RAM, for the tools that watch or steer it.
constexpr uint16_t kPlayRam = 0xC000;        // 1 and its complement once the engine runs
constexpr uint16_t kPlayFrames = 0xC002;     // dw: frames run
constexpr uint16_t kPlayWalker = 0xC004;     // dw x, dw y: the walker's top-left corner in map pixels
constexpr uint16_t kPlayShownView = 0xC00C;  // dw column, dw row: the view the shown name table holds
constexpr uint16_t kPlayPage = 0xC012;       // db: the name table shown, 0 at 0x1800, 1 at 0x1C00
constexpr uint16_t kPlayRedraw = 0xC014;     // db: set to 1, the engine draws the view again
constexpr uint16_t kPlayMapInRam = 0xC0F2;   // db, MSX: 1 when the map page plays from RAM, so it can be changed
constexpr std::size_t kMapPageSize = 0x4000;
// A larger map makes the MSX1 cartridge an ASCII8 megaROM: the map page's
// head in bank 2 at 0x8000, the cells from bank 3 on, switched in at 0xA000.
constexpr std::size_t kBankSize = 0x2000;
constexpr int kFirstCellBank = 3;
constexpr uint16_t kBankedCellsAddress = 0xA000;

// Where the map page appears to the CPU.
uint16_t MapPageAddress(Machine machine);

// The tile set's tables in all three thirds and the sprite patterns, as the
// cartridge loads them at start.
std::vector<VideoBlock> PlayVideoBlocks(const Project& data, const WalkWorld& world);
// The map page: the world's header, solid flags, names, walk frames, row
// table and cells; empty with `error` set when it does not fit.
std::string MapPageBytes(const WalkWorld& world, uint16_t address, std::string& error);
// The same as a megaROM holds it: the head, padded to a bank, then the banks of cells.
std::string BankedMapBytes(const WalkWorld& world, uint16_t address, std::string& error);

// A 32 KB ROM that plays map `map` (an MSX1 megaROM when its map page would
// not fit), its first view at the screen frame's position (in tiles);
// `bytes` empty and `error` set when it cannot be built.
Cartridge BuildPlayCartridge(const Project& data, std::size_t map, Machine machine, int frameColumn, int frameRow);
