#include "studios/table/table_placements.h"

#include <algorithm>

#include "chip/sprite_attributes.h"

void AddPlacement(NameTable& table, int spriteIndex, float x, float y) {
  table.placements.push_back({spriteIndex, SnapToChipPixel(x), SnapToChipPixel(y)});
}

void AddMetaspritePlacements(NameTable& table, const Metasprite& metasprite, float x, float y) {
  for (auto part = metasprite.parts.rbegin(); part != metasprite.parts.rend(); ++part)
    AddPlacement(table, part->sprite, x + part->x * kViewUnitsPerChipPixel, y + part->y * kViewUnitsPerChipPixel);
}

void GrabPlacement(TableStudioState& state, int index, float grabX, float grabY) {
  if (state.draggedPlacement != -1) return;
  state.draggedPlacement = index;
  state.grabOffset[0] = grabX;
  state.grabOffset[1] = grabY;
}

void MoveGrabbedPlacement(const TableStudioState& state, NameTable& table, int index, float mouseX, float mouseY) {
  if (state.draggedPlacement != index || index < 0 || index >= static_cast<int>(table.placements.size())) return;
  table.placements[index].x = SnapToChipPixel(mouseX - state.grabOffset[0]);
  table.placements[index].y = SnapToChipPixel(mouseY - state.grabOffset[1]);
}

void SyncSpriteMarks(TableStudioState& state, std::size_t spriteCount) {
  if (spriteCount == state.lastSpriteCount) return;
  state.lastSpriteCount = spriteCount;
  for (std::size_t row = spriteCount; row < kListedSprites; ++row) state.spriteMarks[row] = false;
}

int CountSpriteMarks(const TableStudioState& state, std::size_t spriteCount) {
  const std::size_t rows = std::min<std::size_t>(spriteCount, kListedSprites);
  return static_cast<int>(std::count(state.spriteMarks, state.spriteMarks + rows, true));
}

void ClickSpriteRow(TableStudioState& state, int row, int markedRows) {
  if (state.spriteMarks[row] || markedRows < kMaxSpriteMarks) state.spriteMarks[row] = !state.spriteMarks[row];
}
