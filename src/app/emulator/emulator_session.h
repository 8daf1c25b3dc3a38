#pragma once
// Run > Run on Emulator: the current name table's cartridge started in
// openMSX, then kept live. Once the cartridge has shown its screen, each
// frame writes the video memory bytes that changed since (and the registers:
// mode, sprite size, backdrop)
// through the control channel, so the emulated chip shows what the editor has.
// Run > Play Map does the same for a map's Play Map cartridge: the tile set
// and sprites go to video memory, and the map page (cells, metatiles, solid
// flags, walk frames) to the RAM the MSX engine plays it from, which then
// draws its view again; the walker stays where it is.

#include <cstddef>
#include <string>

#include "app/emulator/openmsx_link.h"
#include "model/project.h"

struct EmulatorSession {
  OpenMsxLink link;
  Machine machine = Machine::Msx1;  // the choice, remembered in the editor's settings
  bool running = false;
  bool loaded = false;        // the cartridge has shown its screen: the link writes from then on
  bool probing = false;       // a question whether it has is on its way
  std::string romPath;        // the temporary cartridge
  std::string shown;          // the video memory the emulated chip holds, where `known` is set
  std::string known;          // a byte a video memory byte: 1 where the cartridge or the link wrote it
  uint8_t registers[8] = {};  // the chip's registers 0-7 as the cartridge or the link set them
  std::size_t bytesSent = 0;  // video memory bytes written through the link
  // Play Map: the map played (-1: a screen is shown), the screen frame it
  // started from, and its map page as the machine holds it.
  int playMap = -1;
  int frameColumn = 0, frameRow = 0;
  std::string mapPage;
  Map playedMap;             // the map as the cartridge was built
  bool mapPageLive = false;  // the machine plays the page from RAM: edits reach it
  bool toldNotLive = false;  // the user knows map edits wait for the next Play Map
  std::size_t mapBytesSent = 0;
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
// Starts openMSX on the Play Map cartridge of map `map`, its first view at the
// screen frame (in tiles); false with `error` set when it cannot.
bool PlayMapOnEmulator(EmulatorSession& session, const Project& data, int map, int frameColumn, int frameRow,
                       std::string& error);
// Once a frame: the changes of `table` (or of the map played) to the emulated
// machine. False when the emulator has gone since the last frame (the session
// is then ended). `notice` gets what the user should know, once.
bool SyncEmulator(EmulatorSession& session, const Project& data, std::size_t table, std::string* notice = nullptr);
void StopEmulator(EmulatorSession& session);
