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

#include "export/video_memory.h"
#include "storage/file_io.h"

EmulatorSession emulator;

namespace {
std::string ScreenMemory(const Project& data, std::size_t table) {
  const NameTable& shown = data.nameTables[table];
  return VideoMemoryImage(ScreenVideoBlocks(data, BuildChipTables(data, &shown), shown, ThirdsLayout::PerThird));
}

std::string TemporaryRomPath() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return (folder / ("tessellary-" + std::to_string(getpid()) + "-screen.rom")).string();
}

// The runs of bytes that differ, each one write; the bytes count into bytesSent.
std::string WritesOfChanges(EmulatorSession& session, const std::string& memory) {
  std::string tcl;
  for (std::size_t at = 0; at < memory.size();) {
    if (memory[at] == session.shown[at]) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < memory.size() && memory[end] != session.shown[end]) ++end;
    char command[48];
    std::snprintf(command, sizeof command, "debug write_block VRAM 0x%04zx ", at);
    tcl += (tcl.empty() ? "" : "; ") + std::string(command) + TclBytes(memory.data() + at, end - at);
    session.bytesSent += end - at;
    at = end;
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
  const Cartridge cartridge = BuildCartridge(data, {table}, session.machine);
  if (!cartridge.error.empty()) return error = cartridge.error, false;
  const std::string path = TemporaryRomPath();
  if (const FileResult result = ReplaceFile(path, cartridge.bytes, false); result != FileResult::Ok)
    return error = "cannot write the cartridge " + path + ": " + DescribeFileResult(result), false;
  if (!StartOpenMsx(session.link, path, session.machine, error)) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return false;
  }
  session.running = true;
  session.romPath = path;
  session.shown = ScreenMemory(data, table);  // what the cartridge writes
  const ModeRegisters registers = RegistersFor(data.nameTables[table], data.spriteSize);
  std::copy(std::begin(registers.values), std::end(registers.values), session.registers);
  return true;
}

bool SyncEmulator(EmulatorSession& session, const Project& data, std::size_t table) {
  if (!session.running) return true;
  if (!TakeReplies(session.link)) return Ended(session);
  if (!session.loaded) {
    // Until the cartridge has written its screen, what the link wrote would be overwritten.
    if (session.link.awaiting > 0) return true;
    session.loaded = session.probing && ScreensShown(session.link.lastReply) > 0;
    session.probing = !session.loaded && SendTcl(session.link, kScreensShownQuestion);
    if (!session.loaded) return true;
  }
  if (table >= data.nameTables.size()) return true;
  const std::string memory = ScreenMemory(data, table);
  std::string tcl = WritesOfChanges(session, memory);
  session.shown = memory;
  // Register 1's interrupt bit is the machine's own: the MSX's BIOS needs it on, the SG-1000 off.
  const ModeRegisters registers = RegistersFor(data.nameTables[table], data.spriteSize);
  for (int r = 0; r < 8; ++r) {
    if (registers.values[r] == session.registers[r]) continue;
    const std::string value = std::to_string(registers.values[r]);
    tcl += (tcl.empty() ? "" : "; ") + std::string("vdpreg ") + std::to_string(r) + " " +
           (r == 1 ? "[expr {([vdpreg 1] & 0x20) | " + value + "}]" : value);
    session.registers[r] = registers.values[r];
  }
  if (!tcl.empty() && !SendTcl(session.link, tcl)) return Ended(session);
  return true;
}

void StopEmulator(EmulatorSession& session) {
  StopOpenMsx(session.link);
  if (!session.romPath.empty()) {
    std::error_code error;
    std::filesystem::remove(session.romPath, error);
  }
  const Machine machine = session.machine;
  session = EmulatorSession{};
  session.machine = machine;
}
