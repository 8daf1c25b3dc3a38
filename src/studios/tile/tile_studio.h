#pragma once

// One frame of the "Tile Studio" tab: palette, edit canvas and its tools, tile
// tools, tile-set list with the imports, and the sheet of all 256 tiles.
void DrawTileStudio();
