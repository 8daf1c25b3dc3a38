#pragma once
// The Sprite Studio's panels, drawn at fixed offsets from the workspace
// window's corner (`origin`) in the order the frame draws them.

#include "imgui.h"
#include "model/project.h"
#include "studios/sprite/sprite_studio_state.h"
#include "widgets/layout.h"

inline constexpr const char* kSpriteRowPayload = "SpriteSET_REORDER";
inline constexpr const char* kMetaspriteRowPayload = "METASPRITE_FRAME";

// The sprite being edited; the frame's guard keeps the index in range.
inline Sprite& SelectedSprite() { return sprites()[spriteStudio.selectedSprite]; }

void DrawColourPicker(ImVec2 origin);
void DrawCanvasBaseLayer(ImVec2 origin);
void DrawSpriteShiftArrows(ImVec2 origin);
void DrawCanvasOverlay(ImVec2 origin);
void DrawEditColumn(ImVec2 origin);
void DrawSpriteSizeChoice(ImVec2 origin);
void DrawAnimationControls(ImVec2 origin);
void DrawAnimationStrips(ImVec2 origin);
void DrawAnimationPreview(ImVec2 origin);
void DrawSpriteCommands(ImVec2 origin);
void DrawSpriteList(ImVec2 origin);
void DrawMetaspriteEditor(ImVec2 origin);
