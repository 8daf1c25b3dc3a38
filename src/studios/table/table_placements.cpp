#include "studios/table/table_placements.h"

#include <algorithm>

#include "chip/sprite_attributes.h"

void AddPlacement(NameTable& table, int spriteIndex, float x, float y) {
  table.placements.push_back({spriteIndex, SnapToChipPixel(x), SnapToChipPixel(y)});
}

void AddMetaspritePlacements(NameTable& table, const Metasprite& metasprite, SpriteSize size, float x, float y) {
  int32_t group = 0;
  for (const SpritePlacement& placement : table.placements) group = std::max(group, placement.group + 1);
  for (auto part = metasprite.parts.rbegin(); part != metasprite.parts.rend(); ++part) {
    const float scale = kViewUnitsPerChipPixel * size.Scale();
    AddPlacement(table, part->sprite, x + part->x * scale, y + part->y * scale);
    table.placements.back().group = group;
  }
}

void GrabPlacement(TableStudioState& state, int index, float grabX, float grabY) {
  if (state.draggedPlacement != -1) return;
  state.draggedPlacement = index;
  state.grabOffset[0] = grabX;
  state.grabOffset[1] = grabY;
}

void MoveGrabbedPlacement(const TableStudioState& state, NameTable& table, int index, float mouseX, float mouseY) {
  if (state.draggedPlacement != index || index < 0 || index >= static_cast<int>(table.placements.size())) return;
  const SpritePlacement grabbed = table.placements[index];
  const float dx = SnapToChipPixel(mouseX - state.grabOffset[0]) - grabbed.x;
  const float dy = SnapToChipPixel(mouseY - state.grabOffset[1]) - grabbed.y;
  for (int i = 0; i < static_cast<int>(table.placements.size()); ++i) {
    SpritePlacement& placement = table.placements[i];
    if (i != index && (grabbed.group < 0 || placement.group != grabbed.group)) continue;
    placement.x = SnapToChipPixel(placement.x + dx);
    placement.y = SnapToChipPixel(placement.y + dy);
  }
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
