#pragma once
// Shared fixtures: whole files in and out, a project with the details a careless
// reader or writer loses, recognisable tiles, and every program-wide record back
// to its start values.

#include <string>

#include "model/project.h"

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);

// Five sprites, three tile sets, three name tables: stale bytes after a name's
// zero, fractional and odd placements, out-of-range colours.
void MakeRichProject();

// A tile whose every row is recognisable: pixels and both colours derive from `seed`.
void FillTile(TileSet& set, int tile, int seed);
bool SameTile(const TileSet& a, int tileA, const TileSet& b, int tileB);

// The project, the studios' records, the history and the file session as at start-up.
void ResetEditor();
