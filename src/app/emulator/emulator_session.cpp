#include "app/emulator/emulator_session.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

#include "chip/video_memory.h"
#include "export/play_cartridge.h"
#include "storage/file_io.h"
#include "storage/utf8_path.h"

EmulatorSession emulator;

namespace {
std::vector<VideoBlock> ScreenBlocks(const Project& data, std::size_t table) {
  const NameTable& shown = data.nameTables[table];
  return ScreenVideoBlocks(data, BuildChipTables(data, &shown), shown, ThirdsLayout::PerThird);
}

// Where nothing was written, the chip holds whatever the machine left there
// (the BIOS's font, its boot screen), not the zeros of a memory image. The
// tables a screen reads are written whole where they reach such bytes (another
// mode's tables, more sprites), as if each had changed, and are known from then on.
std::string KnownBefore(EmulatorSession& session, const std::string& memory, const std::vector<VideoBlock>& blocks) {
  std::string before = memory;  // unknown and unread: nothing to write
  session.known.resize(memory.size(), 0);
  for (std::size_t at = 0; at < memory.size(); ++at)
    if (session.known[at]) before[at] = session.shown[at];
  for (const VideoBlock& block : blocks)
    for (std::size_t at = block.address; at < block.address + block.bytes.size(); ++at) {
      if (!session.known[at]) before[at] = char(~memory[at]);
      session.known[at] = 1;
    }
  return before;
}

void KnowOnly(EmulatorSession& session, const std::vector<VideoBlock>& blocks) {
  session.known.assign(kVideoMemorySize, 0);
  for (const VideoBlock& block : blocks) std::fill_n(session.known.begin() + block.address, block.bytes.size(), 1);
}

std::string TemporaryRomPath() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return Utf8Text(folder / ("tessellary-" + std::to_string(getpid()) + "-screen.rom"));
}

// The runs of bytes where `after` differs from `before`, each one write into
// `debuggable` at `base` on; the bytes count into `sent`.
std::string WritesOfChanges(const std::string& before, const std::string& after, const char* debuggable,
                            std::size_t base, std::size_t& sent) {
  std::string tcl;
  for (std::size_t at = 0; at < after.size();) {
    if (after[at] == before[at]) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < after.size() && after[end] != before[end]) ++end;
    char command[64];
    std::snprintf(command, sizeof command, "debug write_block %s 0x%04zx ", debuggable, base + at);
    tcl += (tcl.empty() ? "" : "; ") + std::string(command) + TclBytes(after.data() + at, end - at);
    sent += end - at;
    at = end;
  }
  return tcl;
}

// The registers that changed. Register 1's interrupt bit is the machine's own:
// the MSX's BIOS needs it on, the SG-1000's screen loader off, the play engine on.
std::string WritesOfRegisters(EmulatorSession& session, const ModeRegisters& registers) {
  std::string tcl;
  for (int r = 0; r < 8; ++r) {
    if (registers.values[r] == session.registers[r]) continue;
    const std::string value = std::to_string(registers.values[r]);
    tcl += (tcl.empty() ? "" : "; ") + std::string("vdpreg ") + std::to_string(r) + " " +
           (r == 1 ? "[expr {([vdpreg 1] & 0x20) | " + value + "}]" : value);
    session.registers[r] = registers.values[r];
  }
  return tcl;
}

std::string Joined(const std::string& a, const std::string& b) { return a.empty() || b.empty() ? a + b : a + "; " + b; }

bool StartCartridge(EmulatorSession& session, const Cartridge& cartridge, const ModeRegisters& registers,
                    PaletteId palette, std::string& error) {
  if (!cartridge.error.empty()) return error = cartridge.error, false;
  const std::string path = TemporaryRomPath();
  if (const FileResult result = ReplaceFile(path, cartridge.bytes, false); result != FileResult::Ok)
    return error = "cannot write the cartridge " + path + ": " + DescribeFileResult(result), false;
  if (!StartOpenMsx(session.link, path, session.machine, error, palette)) {
    std::error_code ignored;
    std::filesystem::remove(Utf8Path(path), ignored);
    return false;
  }
  session.running = true;
  session.romPath = path;
  std::copy(std::begin(registers.values), std::end(registers.values), session.registers);
  return true;
}

// Play Map: the tile set and sprites to video memory; the map page, when the
// machine plays it from RAM and its size is the same, to that RAM, and the
// engine told to draw its view again.
std::string WritesOfPlay(EmulatorSession& session, const Project& data, std::string* notice) {
  if (session.playMap >= static_cast<int>(data.maps.size())) return {};
  const WalkWorld world = MakeWalkWorld(data, session.playMap, session.frameColumn, session.frameRow);
  if (world.frames.empty()) return {};  // the Map Studio says why; the game keeps what it has
  const std::vector<VideoBlock> blocks = PlayVideoBlocks(data, world);
  const std::string memory = VideoMemoryImage(blocks);
  std::string tcl = WritesOfChanges(KnownBefore(session, memory, blocks), memory, "VRAM", 0, session.bytesSent);
  session.shown = memory;
  tcl = Joined(tcl, WritesOfRegisters(session, RegistersFor(NameTable(), data.spriteSize)));
  const Map& map = data.maps[session.playMap];
  if (!session.mapPageLive) {
    if (!session.toldNotLive && notice && map != session.playedMap) {
      *notice = "This game reads the map from its cartridge: Play Map again (Shift+F5) to walk in the changed map";
      session.toldNotLive = true;
    }
    return tcl;
  }
  std::string error;
  std::string page = MapPageBytes(world, MapPageAddress(session.machine), error);
  page.resize(kMapPageSize, char(0xFF));
  if (!error.empty() || page == session.mapPage) return tcl;
  constexpr std::size_t kSizes = 0x0A;  // the header's sizes: the layout of the rest follows them
  if (page.compare(0, kSizes, session.mapPage, 0, kSizes) == 0) {
    tcl = Joined(
        tcl, WritesOfChanges(session.mapPage, page, "memory", MapPageAddress(session.machine), session.mapBytesSent));
    tcl = Joined(tcl, "debug write memory " + std::to_string(kPlayRedraw) + " 1");
    session.mapPage = page;
  } else if (!session.toldNotLive && notice) {
    *notice = "The map's size changed: Play Map again (Shift+F5) to walk in it";
    session.toldNotLive = true;
  }
  return tcl;
}
bool Ended(EmulatorSession& session) {
  StopEmulator(session);
  return false;
}
}  // namespace

int ScreensShown(const std::string& reply) {
  if (reply.size() != 4 || reply.find_first_not_of("0123456789abcdef") != std::string::npos) return 0;
  const int count = std::stoi(reply.substr(0, 2), nullptr, 16), complement = std::stoi(reply.substr(2), nullptr, 16);
  return (count ^ complement) == 0xFF ? count : 0;
}

bool RunOnEmulator(EmulatorSession& session, const Project& data, std::size_t table, std::string& error) {
  StopEmulator(session);
  if (table >= data.nameTables.size()) return error = "there is no name table to show", false;
  if (!StartCartridge(session, BuildCartridge(data, {table}, session.machine),
                      RegistersFor(data.nameTables[table], data.spriteSize), data.palette, error))
    return false;
  const std::vector<VideoBlock> blocks = ScreenBlocks(data, table);  // what the cartridge writes
  session.shown = VideoMemoryImage(blocks);
  KnowOnly(session, blocks);
  return true;
}

bool PlayMapOnEmulator(EmulatorSession& session, const Project& data, int map, int frameColumn, int frameRow,
                       std::string& error) {
  // A map that cannot be played leaves a running emulator as it is.
  const Cartridge cartridge = BuildPlayCartridge(data, map, session.machine, frameColumn, frameRow);
  if (!cartridge.error.empty()) return error = cartridge.error, false;
  StopEmulator(session);
  // The walk runs on the machine its engine was proven on, whatever the palette.
  if (!StartCartridge(session, cartridge, RegistersFor(NameTable(), data.spriteSize), PaletteId::Tms9918a, error))
    return false;
  session.playMap = map;
  session.frameColumn = frameColumn, session.frameRow = frameRow;
  const std::vector<VideoBlock> blocks = PlayVideoBlocks(data, MakeWalkWorld(data, map, frameColumn, frameRow));
  session.shown = VideoMemoryImage(blocks);
  KnowOnly(session, blocks);
  session.mapPage = cartridge.bytes.substr(kCartridgeLimit - kMapPageSize, kMapPageSize);
  session.playedMap = data.maps[map];
  return true;
}

bool SyncEmulator(EmulatorSession& session, const Project& data, std::size_t table, std::string* notice) {
  if (!session.running) return true;
  if (!TakeReplies(session.link)) return Ended(session);
  if (!session.loaded) {
    // Until the cartridge has written its screen, what the link wrote would be overwritten.
    if (session.link.awaiting > 0) return true;
    session.loaded = session.probing && ScreensShown(session.link.lastReply) > 0;
    session.probing = !session.loaded && SendTcl(session.link, kScreensShownQuestion);
    if (!session.loaded) return true;
    TclReply reply;
    session.mapPageLive = session.playMap >= 0 && session.machine == Machine::Msx1 &&
                          AskTcl(session.link, "debug read memory " + std::to_string(kPlayMapInRam), reply, 1000) &&
                          reply.text == "1";
  }
  std::string tcl;
  if (session.playMap >= 0) {
    tcl = WritesOfPlay(session, data, notice);
  } else if (table < data.nameTables.size()) {
    const std::vector<VideoBlock> blocks = ScreenBlocks(data, table);
    const std::string memory = VideoMemoryImage(blocks);
    tcl = WritesOfChanges(KnownBefore(session, memory, blocks), memory, "VRAM", 0, session.bytesSent);
    session.shown = memory;
    tcl = Joined(tcl, WritesOfRegisters(session, RegistersFor(data.nameTables[table], data.spriteSize)));
  }
  if (!tcl.empty() && !SendTcl(session.link, tcl)) return Ended(session);
  return true;
}

void StopEmulator(EmulatorSession& session) {
  StopOpenMsx(session.link);
  if (!session.romPath.empty()) {
    std::error_code error;
    std::filesystem::remove(Utf8Path(session.romPath), error);
  }
  const Machine machine = session.machine;
  session = EmulatorSession{};
  session.machine = machine;
}
