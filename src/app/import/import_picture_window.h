#pragma once
// File > Import > PNG Image...'s window: the picture and the import's result
// side by side, the dithering and the tile budget, Import and Cancel.

void DrawImportPictureWindow();
