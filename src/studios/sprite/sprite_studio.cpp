#include "studios/sprite/sprite_studio.h"

#include "studios/sprite/sprite_animation.h"
#include "studios/sprite/sprite_list_actions.h"
#include "studios/sprite/sprite_studio_panels.h"

SpriteStudioState spriteStudio;
SpriteAnimationState spriteAnimation;

void DrawSpriteStudio() {
  KeepSelectedSpriteInRange(spriteStudio, sprites());
  if (sprites().empty()) {
    ImGui::TextUnformatted("No sprite sets available");
    return;
  }
  const ImVec2 origin = ImGui::GetWindowPos();
  DrawColourPicker(origin);
  DrawCanvasBaseLayer(origin);
  DrawSpriteShiftArrows(origin);
  DrawCanvasOverlay(origin);
  DrawEditColumn(origin);
  DrawSpriteSizeChoice(origin);
  DrawAnimationControls(origin);
  DrawAnimationStrips(origin);
  DrawAnimationPreview(origin);
  StepAnimation(spriteAnimation, project.strips, ImGui::GetIO().DeltaTime);
  DrawSpriteCommands(origin);
  DrawSpriteList(origin);
  DrawMetaspriteEditor(origin);
}
