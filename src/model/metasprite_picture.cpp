#include "model/metasprite_picture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

#include "model/list_order.h"

namespace {

struct WantedPart : PicturePiece {
  bool taken = false;
};

std::vector<WantedPart> PartsOfPicture(const MetaspritePicture& picture, int width, int height, int side) {
  std::vector<WantedPart> wanted;
  for (const PicturePiece& piece : PicturePieces(picture, width, height, side)) wanted.push_back({piece});
  return wanted;
}

// Equal where the chip shows them: the top-left `side` x `side`. A 16 x 16
// sprite cut to 8 x 8 keeps its other quarters unseen, so a part that keeps
// its sprite through a size change finds its whole pattern again going back.
bool SamePattern(const Sprite& a, const Sprite& b, int side) {
  for (int row = 0; row < side; ++row)
    if (std::memcmp(a.pixels[row], b.pixels[row], side * sizeof a.pixels[row][0]) != 0) return false;
  return true;
}

// Parts of every metasprite that draw from `sprite`.
int PartsUsing(const Project& data, int sprite) {
  int uses = 0;
  for (const Metasprite& metasprite : data.metasprites)
    for (const MetaspritePart& part : metasprite.parts) uses += part.sprite == sprite;
  return uses;
}

bool UsedAnywhere(const Project& data, int sprite) {
  for (const NameTable& table : data.nameTables)
    for (const SpritePlacement& placement : table.placements)
      if (placement.spriteIndex == sprite) return true;
  for (int s = 0; s < kStrips; ++s)
    for (int f = 0; f < kStripCells; ++f)
      if (!data.strips.metasprite[s][f] && data.strips.cells[s][f] == sprite) return true;
  return PartsUsing(data, sprite) > 0;
}
}  // namespace

std::vector<PicturePiece> PicturePieces(const MetaspritePicture& picture, int width, int height, int side) {
  std::vector<PicturePiece> pieces;
  for (int y = 0; y < height; y += side)
    for (int x = 0; x < width; x += side)
      for (int colour = 1; colour < 16; ++colour) {
        PicturePiece piece{x, y, colour, {}};
        bool any = false;
        for (int row = 0; row < side && y + row < height; ++row)
          for (int column = 0; column < side && x + column < width; ++column)
            if (picture.pixels[y + row][x + column] == colour) piece.pattern.pixels[row][column] = 1, any = true;
        if (any) pieces.push_back(piece);
      }
  return pieces;
}

void NamePart(Sprite& sprite, const char* metasprite, int colour, int x, int y, int side) {
  char cell[24];
  std::snprintf(cell, sizeof cell, " c%d %d,%d", colour, x / side, y / side);
  const int room = std::max(0, static_cast<int>(kNameSize) - 1 - static_cast<int>(std::strlen(cell)));
  FormatName(sprite.name, "%.*s%s", room, metasprite, cell);
}

MetaspritePicture DrawMetasprite(const Metasprite& metasprite, const std::vector<Sprite>& sprites, int side) {
  MetaspritePicture picture;
  for (auto part = metasprite.parts.rbegin(); part != metasprite.parts.rend(); ++part) {
    if (part->sprite < 0 || part->sprite >= static_cast<int>(sprites.size())) continue;
    const Sprite& sprite = sprites[part->sprite];
    for (int row = 0; row < side; ++row)
      for (int column = 0; column < side; ++column) {
        const int x = part->x + column, y = part->y + row;
        if (sprite.pixels[row][column] && sprite.colour != 0 && x >= 0 && y >= 0 && x < kMaxMetaspriteSide &&
            y < kMaxMetaspriteSide)
          picture.pixels[y][x] = static_cast<uint8_t>(sprite.colour & 15);
      }
  }
  return picture;
}

bool SetMetaspritePicture(Project& data, int index, const MetaspritePicture& picture, std::string& error) {
  Metasprite& metasprite = data.metasprites[index];
  std::vector<WantedPart> wanted = PartsOfPicture(picture, metasprite.width, metasprite.height, data.spriteSize.side);
  const int count = static_cast<int>(data.sprites.size());
  // Each part keeps its place in the plane order while its cell and colour are still wanted.
  std::vector<MetaspritePart> kept;
  std::vector<int> keptWanted, dropped;
  for (const MetaspritePart& part : metasprite.parts) {
    const int colour = part.sprite >= 0 && part.sprite < count ? data.sprites[part.sprite].colour : -1;
    const auto match = std::find_if(wanted.begin(), wanted.end(), [&](const WantedPart& w) {
      return !w.taken && w.x == part.x && w.y == part.y && w.colour == colour;
    });
    if (match == wanted.end()) {
      if (part.sprite >= 0 && part.sprite < count) dropped.push_back(part.sprite);
      continue;
    }
    match->taken = true;
    kept.push_back(part);
    keptWanted.push_back(static_cast<int>(match - wanted.begin()));
  }
  int added = 0;
  const int side = data.spriteSize.side;
  for (std::size_t i = 0; i < kept.size(); ++i)
    added += PartsUsing(data, kept[i].sprite) > 1 &&
             !SamePattern(data.sprites[kept[i].sprite], wanted[keptWanted[i]].pattern, side);
  for (const WantedPart& w : wanted) added += !w.taken;
  if (count + added > kMaxSprites) {
    const int over = count + added - kMaxSprites;
    error = "The metasprite would need " + std::to_string(over) + (over == 1 ? " sprite" : " sprites") +
            " more than the 256 a project holds";
    return false;
  }

  auto newSprite = [&](const WantedPart& w) {
    Sprite sprite = w.pattern;
    NamePart(sprite, metasprite.name, w.colour, w.x, w.y, side);
    sprite.colour = w.colour;
    data.sprites.push_back(sprite);
    return static_cast<int32_t>(data.sprites.size()) - 1;
  };
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const WantedPart& w = wanted[keptWanted[i]];
    if (SamePattern(data.sprites[kept[i].sprite], w.pattern, side)) continue;
    if (PartsUsing(data, kept[i].sprite) > 1)
      kept[i].sprite = newSprite(w);  // shared with another part: this one gets its own
    else
      std::memcpy(data.sprites[kept[i].sprite].pixels, w.pattern.pixels, sizeof w.pattern.pixels);
  }
  for (const WantedPart& w : wanted)
    if (!w.taken) kept.push_back({newSprite(w), w.x, w.y});
  metasprite.parts = kept;

  // A sprite only the dropped parts used goes, the last first so that the others keep their numbers meanwhile.
  std::sort(dropped.begin(), dropped.end(), std::greater<int>());
  dropped.erase(std::unique(dropped.begin(), dropped.end()), dropped.end());
  for (int sprite : dropped) {
    if (UsedAnywhere(data, sprite) || data.sprites.size() <= 1) continue;
    RenumberSpriteUses(data, static_cast<int>(data.sprites.size()),
                       [sprite](int at) { return IndexAfterErase(at, sprite); });
    data.sprites.erase(data.sprites.begin() + sprite);
  }
  return true;
}

bool ChangeSpriteSize(Project& data, SpriteSize size, std::string& error) {
  if (size.side == data.spriteSize.side) {
    data.spriteSize = size;
    return true;
  }
  Project next = data;
  next.spriteSize = size;
  const auto roundUp = [&size](int length) { return (length + size.side - 1) / size.side * size.side; };
  for (std::size_t i = 0; i < next.metasprites.size(); ++i) {
    Metasprite& metasprite = next.metasprites[i];
    const MetaspritePicture picture = DrawMetasprite(metasprite, next.sprites, data.spriteSize.side);
    metasprite.width = roundUp(metasprite.width), metasprite.height = roundUp(metasprite.height);
    if (!SetMetaspritePicture(next, static_cast<int>(i), picture, error)) {
      error = std::string("At ") + std::to_string(size.side) + " x " + std::to_string(size.side) + ", " +
              metasprite.name + ": " + error;
      return false;
    }
  }
  data = std::move(next);
  return true;
}

std::vector<int> SpritesPerLine(const Metasprite& metasprite, int side) {
  std::vector<int> lines(static_cast<std::size_t>(std::max(metasprite.height, 0)), 0);
  for (const MetaspritePart& part : metasprite.parts)
    for (int row = std::max(part.y, 0); row < std::min(part.y + side, metasprite.height); ++row) ++lines[row];
  return lines;
}
