#pragma once
// Aseprite files in: each frame, as its visible image layers show it, a
// metasprite under the sprite-sheet import's rules (the nearest of the chip's
// colours, parts sharing sprites, the per-line limit); each tag an animation
// strip of its frames as they play, and the frames' duration the strips'
// speed where the strips' frames share one.

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/png_import.h"
#include "model/project.h"

// Adds what the file holds to `data`, its frames named after their tag or
// else the file's `name`; a refused file leaves `data` as it was and says why.
// `maxPerLine` refuses a frame needing more sprites on a line (0: no limit).
ImportResult ImportAseprite(const uint8_t* bytes, std::size_t size, const std::string& name, Project& data,
                            int maxPerLine = 0);
