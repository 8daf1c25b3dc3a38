#pragma once
// Maps made and set up for play by name, as a build script names the records:
// the Map Studio's own actions (a screen cut into metatiles, solid metatiles,
// the walker, its start and speed) behind one call each. Each returns false,
// with the reason and `data` as it was, for what it cannot do, and otherwise
// says what it did.

#include <string>

#include "model/project.h"

// A new map of `size` x `size`-tile metatiles (1, 2 or 4) cut from the whole
// of the screen (name table) named `screen`, drawing from the screen's top
// third's tile set, named `name` (the screen's name when empty).
bool MakeMapFromScreen(Project& data, const std::string& screen, int size, const std::string& name,
                       std::string& message);

// Makes solid the metatiles of map `map` that `list` names: numbers and
// ranges such as "3,7-9", or "tiles:12,40-42" for every metatile holding one
// of those tiles.
bool MarkSolid(Project& data, const std::string& map, const std::string& list, std::string& message);

// The map's walker: "strip N" (1 to 4), or a metasprite or sprite by name,
// which then gets the next empty animation strip of its own.
bool SetWalker(Project& data, const std::string& map, const std::string& walker, std::string& message);

// The walker's top-left corner at map pixel `x`, `y`: refused off the map, on
// a solid metatile, or wherever the map could not be played from.
bool SetWalkStart(Project& data, const std::string& map, int x, int y, std::string& message);

bool SetWalkSpeed(Project& data, const std::string& map, int speed, std::string& message);
