#pragma once

// One frame of the "Table Studio" tab: tile palette, tools, the screen view
// with its sprite placements, the name-table and tile-set panels, the sprite
// list and the Tile Editor window.
void DrawTableStudio();
