#include "studios/sprite/sprite_list_actions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "import/clipboard_parsers.h"
#include "model/list_order.h"

namespace {
constexpr std::size_t kPatternBytes = 32;
constexpr int32_t kImportedColour = 15;
constexpr std::size_t kTokenNameLength = 19;

Sprite ImportedSprite(const std::string& name, const uint8_t* bytes) {
  Sprite sprite;
  SetName(sprite.name, name.c_str());
  sprite.colour = kImportedColour;
  DecodeSpritePattern(bytes, sprite);
  return sprite;
}

int LastIndex(const std::vector<Sprite>& list) { return static_cast<int>(list.size()) - 1; }
}  // namespace

void KeepSelectedSpriteInRange(SpriteStudioState& state, const std::vector<Sprite>& list) {
  if (list.empty() || state.selectedSprite < 0 || state.selectedSprite >= static_cast<int>(list.size()))
    state.selectedSprite = 0;
  // New, Load and undo change the sprite under the canvas: its colour comes along.
  if (!list.empty()) state.currentColour = list[state.selectedSprite].colour;
}

void AddSprite(SpriteStudioState& state, std::vector<Sprite>& list) {
  if (list.size() >= kMaxSpritesByAdd) return;
  Sprite sprite = DefaultSprite();
  FormatName(sprite.name, "Sprite %d", static_cast<int>(list.size()) + 1);
  list.push_back(sprite);
  state.selectedSprite = LastIndex(list);
}

std::string DeleteSprite(SpriteStudioState& state, Project& data) {
  std::vector<Sprite>& list = data.sprites;
  if (list.size() <= 1) return "";
  const int removed = state.selectedSprite;
  const std::string name = list[removed].name;
  const int gone = RenumberSpriteUses(data, static_cast<int>(list.size()),
                                      [removed](int index) { return IndexAfterErase(index, removed); });
  list.erase(list.begin() + removed);
  if (state.selectedSprite >= static_cast<int>(list.size())) state.selectedSprite = LastIndex(list);
  if (gone == 0) return "Deleted " + name;
  return "Deleted " + name + ": " + std::to_string(gone) + (gone == 1 ? " use" : " uses") +
         " on screens, in the animation and in metasprites now show no sprite";
}

void ClearSprites(SpriteStudioState& state, std::vector<Sprite>& list) {
  list.clear();
  list.push_back(DefaultSprite());
  state.selectedSprite = 0;
}

void MoveSprite(SpriteStudioState& state, Project& data, int from, int to) {
  if (!MoveRecord(data.sprites, from, to)) return;
  state.selectedSprite = to;
  RenumberSpriteUses(data, static_cast<int>(data.sprites.size()),
                     [from, to](int index) { return IndexAfterMove(index, from, to); });
}

void SelectSprite(SpriteStudioState& state, const std::vector<Sprite>& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size())) return;
  state.selectedSprite = index;
  state.currentColour = list[index].colour;
}

void KeepSelectionThroughResize(SpriteStudioState& state, const Project& before, const Project& after) {
  const int was = state.selectedSprite;
  if (was < 0 || was >= static_cast<int>(before.sprites.size())) return KeepSelectedSpriteInRange(state, after.sprites);
  const Sprite& sprite = before.sprites[was];
  const auto same = [&sprite](const Sprite& other) {
    return std::memcmp(sprite.name, other.name, sizeof sprite.name) == 0 &&
           std::memcmp(sprite.pixels, other.pixels, sizeof sprite.pixels) == 0 && sprite.colour == other.colour;
  };
  int found = -1;  // the nearest equal sprite: copies may stand elsewhere in the list
  for (int i = 0; i < static_cast<int>(after.sprites.size()); ++i)
    if (same(after.sprites[i]) && (found < 0 || std::abs(i - was) < std::abs(found - was))) found = i;
  for (std::size_t m = 0; found < 0 && m < before.metasprites.size() && m < after.metasprites.size(); ++m)
    for (const MetaspritePart& part : before.metasprites[m].parts)
      if (part.sprite == was && !after.metasprites[m].parts.empty()) found = after.metasprites[m].parts[0].sprite;
  if (found >= 0) return SelectSprite(state, after.sprites, found);
  KeepSelectedSpriteInRange(state, after.sprites);
}

bool IsEmptySprite(const Sprite& sprite) {
  const uint8_t* pixels = &sprite.pixels[0][0];
  return std::all_of(pixels, pixels + kSpriteSize * kSpriteSize, [](uint8_t p) { return p == 0; });
}

void DecodeSpritePattern(const uint8_t* bytes, Sprite& sprite) {
  for (int b = 0; b < 32; ++b) {
    const int quarter = b / 8, row = 8 * (quarter % 2) + b % 8, left = 8 * (quarter / 2);
    for (int x = 0; x < 8; ++x) sprite.pixels[row][left + x] = bytes[b] >> (7 - x) & 1;
  }
}

std::string SpriteImportSummary(std::size_t count) {
  if (count == 0) return "No sprite data found: 32 bytes per sprite are needed";
  return "Imported " + std::to_string(count) + (count == 1 ? " sprite" : " sprites");
}

std::string ImportSpritesToken(SpriteStudioState& state, std::vector<Sprite>& list, const char* text) {
  std::size_t count = 0;
  if (!text) return SpriteImportSummary(count);
  for (const ImportBlock& block : ParseTokenImport(text)) {
    for (std::size_t k = 0; (k + 1) * kPatternBytes <= block.bytes.size(); ++k) {
      std::string name = k == 0 ? block.name : block.name + " " + std::to_string(k + 1);
      name.resize(std::min(name.size(), kTokenNameLength));
      const Sprite sprite = ImportedSprite(name, &block.bytes[k * kPatternBytes]);
      ++count;
      const auto empty = std::find_if(list.begin(), list.end(), IsEmptySprite);
      if (empty != list.end()) {
        *empty = sprite;
        state.selectedSprite = static_cast<int>(empty - list.begin());
      } else {
        list.push_back(sprite);
        state.selectedSprite = LastIndex(list);
      }
    }
  }
  return SpriteImportSummary(count);
}

std::string ImportSpritesRawHex(SpriteStudioState& state, std::vector<Sprite>& list, const char* text) {
  std::size_t count = 0;
  if (!text) return SpriteImportSummary(count);
  const std::vector<uint8_t> bytes = ParseRawHexImport(text);
  bool tookFirst = false;
  for (std::size_t at = 0; at + kPatternBytes <= bytes.size(); at += kPatternBytes, ++count) {
    if (list.size() >= kMaxSpritesByAdd) return SpriteImportSummary(count) + ", stopped at 256 sprites";
    // Named by the position the piece takes, so no two sprites of one import share a name.
    if (!tookFirst && !list.empty() && (IsEmptySprite(list[0]) || std::strcmp(list[0].name, "Sprite 1") == 0)) {
      list[0] = ImportedSprite("Imported 1", &bytes[at]);
      tookFirst = true;
      state.selectedSprite = 0;
      continue;
    }
    list.push_back(ImportedSprite("Imported " + std::to_string(list.size() + 1), &bytes[at]));
    state.selectedSprite = LastIndex(list);
  }
  return SpriteImportSummary(count);
}
