#pragma once
// File > Import > Sprite Sheet...'s window: the sheet and the metasprites it
// makes side by side, the cell size, the transparent colour and the line
// limit, what the import takes, Import and Cancel.

void DrawImportSheetWindow();
