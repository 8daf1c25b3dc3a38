#pragma once
// The Map Studio tab: maps bigger than a screen, painted with metatiles.
void DrawMapStudio();
