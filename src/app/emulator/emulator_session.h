#pragma once
// Run > Run on Emulator: the current name table's cartridge started in
// openMSX, then kept live. Once the cartridge has shown its screen, each
// frame writes the video memory bytes that changed since (and the registers:
// mode, sprite size, backdrop)
// through the control channel, so the emulated chip shows what the editor has.

#include <cstddef>
#include <string>

#include "app/emulator/openmsx_link.h"
#include "model/project.h"

struct EmulatorSession {
  OpenMsxLink link;
  Machine machine = Machine::Msx1;  // the choice, remembered in the editor's settings
  bool running = false;
  bool loaded = false;   // the cartridge has shown its screen: the link writes from then on
  bool probing = false;  // a question whether it has is on its way
  std::string romPath;   // the temporary cartridge
  std::string shown;     // the video memory the emulated chip holds
  uint8_t registers[8] = {};  // the chip's registers 0-7 as the cartridge or the link set them
  std::size_t bytesSent = 0;  // video memory bytes written through the link
};
extern EmulatorSession emulator;

// Asks openMSX how many screens the cartridge has shown (the loaders count
// them at 0xC000 with the complement beside it)...
constexpr const char* kScreensShownQuestion = "format %02x%02x [debug read memory 0xC000] [debug read memory 0xC001]";
// ...and reads its reply: 0 until one is in.
int ScreensShown(const std::string& reply);

// Starts openMSX on the cartridge of name table `table`, ending a running
// one first; false with `error` set when it cannot.
bool RunOnEmulator(EmulatorSession& session, const Project& data, std::size_t table, std::string& error);
// Once a frame: the changes of `table` to the emulated chip. False when the
// emulator has gone since the last frame (the session is then ended).
bool SyncEmulator(EmulatorSession& session, const Project& data, std::size_t table);
void StopEmulator(EmulatorSession& session);
