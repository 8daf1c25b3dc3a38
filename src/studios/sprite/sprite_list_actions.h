#pragma once
// Commands on the project's sprite list, and the clipboard imports that turn
// 32-byte patterns into sprites.

#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"
#include "studios/sprite/sprite_studio_state.h"

// Brings selectedSprite back into the list (New or Load may have shortened it)
// and the canvas colour to the selected sprite's.
void KeepSelectedSpriteInRange(SpriteStudioState& state, const std::vector<Sprite>& list);

// Appends "Sprite <count + 1>" and selects it; nothing at 256 sprites.
void AddSprite(SpriteStudioState& state, std::vector<Sprite>& list);
// Removes the selected sprite unless it is the only one. Placements and
// animation cells follow the sprites they name; those that named the deleted
// one name no sprite (kept, not drawn). Returns the result line ("" = nothing done).
std::string DeleteSprite(SpriteStudioState& state, Project& data);
// Leaves one blank "Sprite 0".
void ClearSprites(SpriteStudioState& state, std::vector<Sprite>& list);
// The sprite at `from` ends up at index `to` and is selected; placements and
// animation cells follow the sprites they name.
void MoveSprite(SpriteStudioState& state, Project& data, int from, int to);
// Selecting a sprite from its row (or by a drop) also takes its colour for the canvas.
void SelectSprite(SpriteStudioState& state, const std::vector<Sprite>& list, int index);

// After a sprite-size change (`before` to `after`) the selection stays on its
// sprite, whose number falls as parts cut anew leave the list before it; a
// part cut anew hands it to its metasprite's first part.
void KeepSelectionThroughResize(SpriteStudioState& state, const Project& before, const Project& after);

bool IsEmptySprite(const Sprite& sprite);
// The chip's 16x16 pattern: quarters top-left, bottom-left, top-right,
// bottom-right, 8 bytes each, the leftmost pixel in bit 7.
void DecodeSpritePattern(const uint8_t* bytes, Sprite& sprite);

// Every 32-byte piece of each "db" block becomes a white sprite named after
// the block ("ship", "ship 2"...), filling empty sprites first, then appended.
std::string ImportSpritesToken(SpriteStudioState& state, std::vector<Sprite>& list, const char* text);
// Every 32 bytes of hex pairs become a white "Imported <position>" sprite, up
// to 256 sprites; the first piece may take over an untouched first sprite.
std::string ImportSpritesRawHex(SpriteStudioState& state, std::vector<Sprite>& list, const char* text);
// The result line of a sprite import that read `count` sprites.
std::string SpriteImportSummary(std::size_t count);
