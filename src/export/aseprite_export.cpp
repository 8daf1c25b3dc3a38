#include "export/aseprite_export.h"

#include <algorithm>
#include <cmath>

#include "model/metasprite_picture.h"
#include "model/palettes.h"
#include "storage/zlib_data.h"

namespace {

// Little-endian fields appended to a chunk, frame or file.
struct Writer {
  std::string bytes;
  void Byte(int value) { bytes.push_back(static_cast<char>(value & 255)); }
  void Word(int value) { Byte(value), Byte(value >> 8); }
  void Dword(uint32_t value) { Word(value & 0xFFFF), Word(value >> 16); }
  void Zeros(int count) { bytes.append(static_cast<std::size_t>(count), '\0'); }
  void String(const std::string& text) { Word(static_cast<int>(text.size())), bytes += text; }
  void Chunk(int type, const Writer& body) {
    Dword(static_cast<uint32_t>(body.bytes.size() + 6)), Word(type);
    bytes += body.bytes;
  }
};

Writer PaletteChunk(const ChipPalette& palette) {
  Writer chunk;
  chunk.Dword(16), chunk.Dword(0), chunk.Dword(15), chunk.Zeros(8);
  for (int colour = 0; colour < 16; ++colour) {
    const uint32_t packed = palette.colours[colour];
    chunk.Word(0);
    chunk.Byte(packed), chunk.Byte(packed >> 8), chunk.Byte(packed >> 16), chunk.Byte(colour == 0 ? 0 : 255);
  }
  return chunk;
}

Writer LayerChunk(int colour) {
  Writer chunk;
  chunk.Word(3), chunk.Word(0), chunk.Word(0);  // visible and editable; an image layer at the top level
  chunk.Zeros(6), chunk.Byte(255), chunk.Zeros(3);
  chunk.String(std::to_string(colour) + " " + ColourNames[colour]);
  return chunk;
}

// The colour's pixels of the picture as a cel of its layer, cut to the pixels it has; none when it has none.
bool ColourCel(const MetaspritePicture& picture, int width, int height, int colour, Writer& chunk) {
  int left = width, top = height, right = -1, bottom = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (picture.pixels[y][x] == colour)
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
  if (right < 0) return false;
  std::vector<uint8_t> indices;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) indices.push_back(picture.pixels[y][x] == colour ? colour : 0);
  chunk.Word(colour - 1), chunk.Word(left), chunk.Word(top), chunk.Byte(255);
  chunk.Word(2), chunk.Word(0), chunk.Zeros(5);  // packed with zlib, z-index 0
  chunk.Word(right - left + 1), chunk.Word(bottom - top + 1);
  const std::vector<uint8_t> packed = Deflated(indices.data(), indices.size());
  chunk.bytes.append(packed.begin(), packed.end());
  return true;
}

struct Tag {
  int from, to, direction;
  std::string name;
};

// The strip's metasprites as a tag: a run in order forward, backwards, or there and back (ping-pong).
bool StripTag(const AnimationStrips& strips, int strip, Tag& tag, std::string& why) {
  std::vector<int> frames;
  for (int cell = 0; cell < kStripCells; ++cell) {
    if (strips.cells[strip][cell] < 0) continue;
    if (!strips.metasprite[strip][cell]) return why = "it shows sprites, not metasprites", false;
    frames.push_back(strips.cells[strip][cell]);
  }
  if (frames.empty()) return false;
  tag.name = "strip " + std::to_string(strip + 1);
  const auto run = [&frames](std::size_t count, int step) {
    for (std::size_t i = 1; i < count; ++i)
      if (frames[i] != frames[i - 1] + step) return false;
    return true;
  };
  const std::size_t n = frames.size();
  const std::size_t peak = std::max_element(frames.begin(), frames.end()) - frames.begin();
  if (run(n, 1)) {
    tag = {frames.front(), frames.back(), 0, tag.name};
  } else if (run(n, -1)) {
    tag = {frames.back(), frames.front(), 1, tag.name};
  } else if (n > 2 && run(peak + 1, 1) && frames[0] < frames[peak] && n == 2 * peak &&
             std::equal(frames.begin() + 1, frames.begin() + peak, frames.rbegin())) {
    tag = {frames.front(), frames[peak], 2, tag.name};
  } else {
    return why = "its metasprites are not a run in order", false;
  }
  return true;
}

}  // namespace

AsepriteExport AsepriteFileOf(const Project& data) {
  AsepriteExport result;
  if (data.metasprites.empty()) return result;
  const int side = data.spriteSize.side;
  int width = side, height = side;
  for (const Metasprite& metasprite : data.metasprites)
    width = std::max(width, metasprite.width), height = std::max(height, metasprite.height);
  const int duration = static_cast<int>(std::lround(data.strips.frameSeconds * 1000));

  std::vector<Tag> tags;
  for (int strip = 0; strip < kStrips; ++strip) {
    Tag tag;
    std::string why;
    if (StripTag(data.strips, strip, tag, why))
      tags.push_back(tag);
    else if (!why.empty())
      result.leftOut.push_back("strip " + std::to_string(strip + 1) + ": " + why);
  }
  result.tags = static_cast<int>(tags.size());

  Writer frames;
  for (std::size_t index = 0; index < data.metasprites.size(); ++index) {
    Writer chunks;
    int count = 0;
    if (index == 0) {
      chunks.Chunk(0x2019, PaletteChunk(PaletteOf(data.palette))), ++count;
      for (int colour = 1; colour < 16; ++colour) chunks.Chunk(0x2004, LayerChunk(colour)), ++count;
      if (!tags.empty()) {
        Writer chunk;
        chunk.Word(static_cast<int>(tags.size())), chunk.Zeros(8);
        for (const Tag& tag : tags) {
          chunk.Word(tag.from), chunk.Word(tag.to), chunk.Byte(tag.direction);
          chunk.Word(0), chunk.Zeros(6), chunk.Zeros(3), chunk.Zeros(1);  // repeats for ever; no colour
          chunk.String(tag.name);
        }
        chunks.Chunk(0x2018, chunk), ++count;
      }
    }
    const Metasprite& metasprite = data.metasprites[index];
    const MetaspritePicture picture = DrawMetasprite(metasprite, data.sprites, side);
    for (int colour = 1; colour < 16; ++colour) {
      Writer chunk;
      if (ColourCel(picture, metasprite.width, metasprite.height, colour, chunk)) chunks.Chunk(0x2005, chunk), ++count;
    }
    frames.Dword(static_cast<uint32_t>(chunks.bytes.size() + 16)), frames.Word(0xF1FA);
    frames.Word(std::min(count, 0xFFFF)), frames.Word(duration), frames.Zeros(2), frames.Dword(count);
    frames.bytes += chunks.bytes;
  }

  Writer file;
  file.Dword(static_cast<uint32_t>(128 + frames.bytes.size())), file.Word(0xA5E0);
  file.Word(static_cast<int>(data.metasprites.size())), file.Word(width), file.Word(height);
  file.Word(8), file.Dword(1), file.Word(duration), file.Dword(0), file.Dword(0);  // indexed; layer opacity holds
  file.Byte(0), file.Zeros(3), file.Word(16), file.Byte(1), file.Byte(1);          // index 0 transparent; square pixels
  file.Word(0), file.Word(0), file.Word(side), file.Word(side), file.Zeros(84);    // the grid is the sprite grid
  result.bytes = file.bytes + frames.bytes;
  return result;
}
