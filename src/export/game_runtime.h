#pragma once
// The runtime a game's C or sdas assembly links to use the exports: the chip's
// registers and memory, ZX0 and Pletter unpackers, metasprites and strips
// drawn as the chip view shows them, and the start code of a cartridge.

#include <vector>

#include "export/build_outputs.h"
#include "export/cartridge.h"

// The runtime's files as --runtime writes them for `machine`: its ports
// heading vdp.s, its start code (then the part both machines share) as crt0.s.
std::vector<OutputFile> RuntimeFiles(Machine machine);
