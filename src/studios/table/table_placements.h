#pragma once
// Sprites laid over a screen: dropping, grabbing and moving placements, and the
// marks of the sprite list.

#include <cstddef>

#include "model/project.h"
#include "studios/table/table_studio_state.h"

// The drop point becomes the sprite's top-left corner, in view units snapped to
// whole chip pixels (4.75 units each) as the chip can only place them there.
void AddPlacement(NameTable& table, int spriteIndex, float x, float y);
// A metasprite's parts as placements, its corner at the drop point (offsets
// doubled for magnified sprites), one after
// another so that its planes stay together, the first part last (on top),
// numbered as one group.
void AddMetaspritePlacements(NameTable& table, const Metasprite& metasprite, SpriteSize size, float x, float y);
void GrabPlacement(TableStudioState& state, int index, float grabX, float grabY);
// While held, the grabbed placement follows the mouse (given relative to the view's
// corner), snapped to whole chip pixels; the rest of its group moves with it.
void MoveGrabbedPlacement(const TableStudioState& state, NameTable& table, int index, float mouseX, float mouseY);

// Rows at or past a new sprite count lose their marks.
void SyncSpriteMarks(TableStudioState& state, std::size_t spriteCount);
int CountSpriteMarks(const TableStudioState& state, std::size_t spriteCount);
// A mark is removed freely, but added only while fewer than 32 rows are marked.
void ClickSpriteRow(TableStudioState& state, int row, int markedRows);
