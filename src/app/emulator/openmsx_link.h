#pragma once
// openMSX run beside the editor and driven through its control channel on
// standard input and output ("-control stdio"): Tcl commands go in wrapped in
// <command>, and each gets one <reply> line back, in order.

#include <string>

#include "app/emulator/child_process.h"
#include "export/cartridge.h"
#include "model/palettes.h"

constexpr const char* kOpenMsxMissing =
    "openMSX is not installed: Debian's packages openmsx and cbios provide it (elsewhere its installer; "
    "\"openmsx=<program>\" in editor.cfg names one anywhere)";

struct OpenMsxLink {
  ChildProcess process;
  std::string received;   // output not yet taken as whole lines
  int awaiting = 0;       // replies still to come for the commands sent
  std::string lastReply;  // the text of the last reply taken
  std::string lastError;  // the last error openMSX logged or replied
};

struct TclReply {
  bool ok = false;
  std::string text;
};

// The openMSX program the settings name ("openmsx=<path>" in editor.cfg); empty: looked for.
extern std::string configuredOpenMsx;
// openMSX's program: `configured` when it is a file, else the one on PATH,
// else (on Windows) where its installer puts it; empty when there is none.
std::string FindOpenMsx(const std::string& configured);

// openMSX's name of the machine: C-BIOS's MSX1, or the SG-1000. An MSX1
// cartridge is shown on C-BIOS's MSX2 when the project shows the V9938's
// colours: openMSX gives a machine its chip's palette and has no setting for it.
const char* OpenMsxMachine(Machine machine, PaletteId palette = PaletteId::Tms9918a);

// Starts openMSX on the cartridge `rom`, its window shown and the machine
// powered on; false with `error` set when it cannot.
bool StartOpenMsx(OpenMsxLink& link, const std::string& rom, Machine machine, std::string& error,
                  PaletteId palette = PaletteId::Tms9918a);
// Sends without waiting for the reply; false when openMSX has gone.
bool SendTcl(OpenMsxLink& link, const std::string& tcl);
// Sends and waits up to `timeoutMs` for the reply; false when none came.
bool AskTcl(OpenMsxLink& link, const std::string& tcl, TclReply& reply, int timeoutMs);
// Takes the replies that have come without waiting; false when openMSX has gone.
bool TakeReplies(OpenMsxLink& link);
void StopOpenMsx(OpenMsxLink& link);

// Bytes as a Tcl expression that gives them: [binary decode hex 00ff...].
std::string TclBytes(const char* bytes, std::size_t count);
// Bytes from the hex text a reply to "binary encode hex ..." gives.
std::string BytesFromHex(const std::string& hex);
