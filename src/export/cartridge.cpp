#include "export/cartridge.h"

#include <map>

#include "chip/video_memory.h"

extern const uint8_t k_msx1_loader[], k_sg1000_loader[];
extern const std::size_t k_msx1_loader_size, k_sg1000_loader_size;

namespace {
constexpr std::size_t kRecordHeadSize = 1 + 8;  // db mode, db registers 0-7
constexpr std::size_t kRecordBlockSize = 6;     // dw length, dw source, dw address

struct Loader {
  std::string bytes;
  std::size_t base;  // where the cartridge's first byte appears to the CPU
};

Loader LoaderFor(Machine machine) {
  if (machine == Machine::Msx1) return {std::string(k_msx1_loader, k_msx1_loader + k_msx1_loader_size), 0x4000};
  return {std::string(k_sg1000_loader, k_sg1000_loader + k_sg1000_loader_size), 0x0000};
}

struct ScreenBlocks {
  ModeRegisters registers;
  std::vector<std::pair<std::size_t, uint16_t>> blocks;  // index into the distinct blocks, video address
};
}  // namespace

void PutWord(std::string& rom, std::size_t value) {
  rom += char(value & 0xFF);
  rom += char(value >> 8 & 0xFF);
}

Cartridge BuildCartridge(const Project& data, const std::vector<std::size_t>& screens, Machine machine) {
  if (screens.empty()) return {{}, "no name table to show"};
  const Loader loader = LoaderFor(machine);
  const ChipTables tables = BuildChipTables(data);
  std::vector<std::vector<uint8_t>> distinct;
  std::map<std::vector<uint8_t>, std::size_t> known;
  std::vector<ScreenBlocks> shown;
  std::size_t size = loader.bytes.size() + 1, fitting = 0;
  for (const std::size_t screen : screens) {
    const NameTable& table = data.nameTables[screen];
    ScreenBlocks record{RegistersFor(table, data.spriteSize), {}};
    size += 2 + kRecordHeadSize + 2;  // its entry in the table, the mode and registers, the end
    for (VideoBlock& block : ScreenVideoBlocks(data, tables, table, ThirdsLayout::PerThird)) {
      const auto [found, added] = known.emplace(std::move(block.bytes), distinct.size());
      if (added) distinct.push_back(found->first), size += found->first.size();
      record.blocks.push_back({found->second, block.address});
      size += kRecordBlockSize;
    }
    shown.push_back(record);
    if (size <= kCartridgeLimit) fitting = shown.size();
  }
  if (size > kCartridgeLimit || shown.size() > 255)
    return {{},
            std::to_string(shown.size()) + " screens need " + std::to_string(size) + " bytes, more than the " +
                std::to_string(kCartridgeLimit) + " of a cartridge: the first " + std::to_string(fitting) + " fit"};

  std::string rom = loader.bytes;
  rom += char(shown.size());
  std::size_t at = loader.base + rom.size() + 2 * shown.size();  // the first record
  for (const ScreenBlocks& record : shown) {
    PutWord(rom, at);
    at += kRecordHeadSize + kRecordBlockSize * record.blocks.size() + 2;
  }
  std::vector<std::size_t> placed;  // each distinct block's address in the cartridge
  for (const std::vector<uint8_t>& block : distinct) placed.push_back(at), at += block.size();
  for (const ScreenBlocks& record : shown) {
    rom += char(record.registers.biosMode);
    rom.append(std::begin(record.registers.values), std::end(record.registers.values));
    for (const auto& [index, address] : record.blocks) {
      PutWord(rom, distinct[index].size());
      PutWord(rom, placed[index]);
      PutWord(rom, address);
    }
    PutWord(rom, 0);
  }
  for (const std::vector<uint8_t>& block : distinct) rom.append(block.begin(), block.end());
  rom.resize(rom.size() <= kCartridgeLimit / 2 ? kCartridgeLimit / 2 : kCartridgeLimit, char(0xFF));
  return {rom, {}};
}
