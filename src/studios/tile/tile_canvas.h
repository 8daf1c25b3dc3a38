#pragma once
// Actions on the edit canvas: blocks to and from tiles, painting under the
// one-colour-pair-per-row rule, clearing and shifting.

#include "model/project.h"
#include "studios/tile/tile_studio_state.h"

// Block b covers columns 8 (b mod 3).. and rows 8 (b div 3)..; a drop lands on this block.
int BlockAt(int row, int column);

void LoadBlock(TileStudioState& state, const TileSet& set, int block, int tile);
// A tile row takes the colour pair of its segment's leftmost cell.
void StoreBlock(const TileStudioState& state, TileSet& set, int block, int tile);
void GetTiles(TileStudioState& state, const TileSet& set);
void PutTiles(TileStudioState& state, TileSet& set);
// PUT TILES would change the set: the canvas shows what its linked tiles do not.
bool CanvasDiffersFromTiles(const TileStudioState& state, const TileSet& set);
// The user changed the canvas since GET TILES or PUT TILES and the tiles do not
// hold it yet: a project loaded or imported under an untouched canvas is not that.
bool CanvasHasUnstoredEdits(const TileStudioState& state, const TileSet& set);

// The FG pen sets the pixel and recolours the foreground of the whole 8-cell
// segment; the BG pen clears it and recolours the segment's background.
void PaintCell(TileStudioState& state, int row, int column);

void ClearCanvasPixels(TileStudioState& state);  // "Clear All": colours stay
void ClearCanvas(TileStudioState& state);        // CLEAR GRID: colours too

// Cells move with pixel and colours; the vacated row or column keeps its
// colours but loses its pixels.
void ShiftCanvasUp(TileStudioState& state);
void ShiftCanvasDown(TileStudioState& state);
void ShiftCanvasLeft(TileStudioState& state);
void ShiftCanvasRight(TileStudioState& state);
