#include "export/game_runtime.h"

#include <cstddef>
#include <cstdint>
#include <string>

#define RUNTIME_SOURCE(symbol)                    \
  extern const uint8_t k_runtime_##symbol[];      \
  extern const std::size_t k_runtime_##symbol##_size;
RUNTIME_SOURCE(tessellary_h)
RUNTIME_SOURCE(tessellary_c)
RUNTIME_SOURCE(vdp_s)
RUNTIME_SOURCE(unpack_s)
RUNTIME_SOURCE(unzx0_s)
RUNTIME_SOURCE(unpletter_s)
RUNTIME_SOURCE(crt0_msx1_s)
RUNTIME_SOURCE(crt0_sg1000_s)
RUNTIME_SOURCE(crt0_end_s)
#undef RUNTIME_SOURCE

namespace {
std::string Text(const uint8_t* bytes, std::size_t size) { return std::string(bytes, bytes + size); }
}  // namespace

std::vector<OutputFile> RuntimeFiles(Machine machine) {
  const bool msx = machine == Machine::Msx1;
  const std::string ports = msx ? "VDP_DATA = 0x98\nVDP_CONTROL = 0x99\n\n" : "VDP_DATA = 0xBE\nVDP_CONTROL = 0xBF\n\n";
  return {
      {"tessellary.h", Text(k_runtime_tessellary_h, k_runtime_tessellary_h_size), "the runtime's declarations"},
      {"tessellary.c", Text(k_runtime_tessellary_c, k_runtime_tessellary_c_size), "screen modes, sprites, strips"},
      {"vdp.s", ports + Text(k_runtime_vdp_s, k_runtime_vdp_s_size), "the video chip's registers and memory"},
      {"unpack.s", Text(k_runtime_unpack_s, k_runtime_unpack_s_size), "the unpackers' output"},
      {"unzx0.s", Text(k_runtime_unzx0_s, k_runtime_unzx0_s_size), "the ZX0 unpacker"},
      {"unpletter.s", Text(k_runtime_unpletter_s, k_runtime_unpletter_s_size), "the Pletter unpacker"},
      {"crt0.s",
       (msx ? Text(k_runtime_crt0_msx1_s, k_runtime_crt0_msx1_s_size)
            : Text(k_runtime_crt0_sg1000_s, k_runtime_crt0_sg1000_s_size)) +
           Text(k_runtime_crt0_end_s, k_runtime_crt0_end_s_size),
       "the cartridge's start code"},
  };
}
