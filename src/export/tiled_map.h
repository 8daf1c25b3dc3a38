#pragma once
// Maps for Tiled: each map a TMX file (its cells as CSV), an external TSX
// tileset of the map's metatiles, and that tileset's PNG in the chip's
// colours, so that Tiled draws the map as the editor does. The walker's start,
// where one is set, is an object "start" on a hidden object layer (shown, it
// would draw over the map); solid metatiles are tiles whose boolean property
// "solid" is true; the walk's speed and strip are the map's properties.

#include <string>
#include <vector>

#include "export/build_outputs.h"
#include "export/export_blocks.h"
#include "model/project.h"

// `stem`.tmx, `stem`.tsx and `stem`.png for the project's map `index`.
std::vector<OutputFile> TiledMapFiles(const Project& data, std::size_t index, const std::string& stem);
// Those of every chosen map, each named by its label.
std::vector<OutputFile> TiledFiles(const Project& data, const ExportSelection& selection);
