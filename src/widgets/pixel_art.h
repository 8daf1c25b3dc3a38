#pragma once
// Tiles and sprites drawn straight from the project records, every frame:
// nothing is cached, so every change shows at once.

#include "imgui.h"
#include "model/project.h"

// Set pixels of the sprite's top-left `side` x `side` (the project's sprite
// size) in its colour, clear pixels not at all.
void DrawSpritePixels(ImDrawList* draw, const Sprite& sprite, int side, ImVec2 corner, float pixel);
// A metasprite as the chip shows it: its parts, the first on top.
void DrawMetaspritePixels(ImDrawList* draw, const Metasprite& metasprite, ImVec2 corner, float pixel);
// A tile as the sheet and the palette show it: row colours from the palette
// (0 transparent), a white outline and its number "%03d" centred below.
void DrawTileWithNumber(ImDrawList* draw, const TileSet& set, int tile, ImVec2 corner, float pixel);
// One row of a tile: each run of pixels of one colour a single rectangle, so
// that a renderer without a GPU fills far fewer.
void DrawTileRow(ImDrawList* draw, const uint8_t (&pixels)[8], ImU32 foreground, ImU32 background, ImVec2 corner,
                 float pixel);
