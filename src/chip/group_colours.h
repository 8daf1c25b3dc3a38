#pragma once
// Graphics I colours: the chip's 32-byte colour table gives each group of 8
// tiles one foreground / background pair. A Graphics II tile set shown so
// takes, for each group, the pair most of its rows have (the first such in
// tile order on a tie).

#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"

struct ColourPair {
  int32_t foreground = 0, background = 0;
  bool operator==(const ColourPair& other) const {
    return foreground == other.foreground && background == other.background;
  }
};

ColourPair GroupColours(const TileSet& set, int group);
// The 32 bytes: each group's foreground in the high four bits, background in the low.
std::vector<uint8_t> GroupColourBytes(const TileSet& set);
// A set marked Graphics I, or one a Graphics I screen draws from: its group colours are a table a game loads.
bool SetShowsGroupColours(const Project& data, std::size_t set);
// True when every row of the tile has its group's pair: the chip shows it as drawn.
bool TileKeepsItsColours(const TileSet& set, int tile);

int CountUnfitTiles(const TileSet& set);  // tiles that do not keep their colours
// Every row of each group's tiles takes the group's pair; returns how many tiles changed.
int FitTilesToGroups(TileSet& set);
// A Graphics I set keeps one pair a group: where a group's rows differ after
// an edit, the pair a row newly has (against `before`) becomes the whole
// group's. Says which groups followed ("" when none did).
std::string KeepGroupColours(Project& data, const Project& before);
