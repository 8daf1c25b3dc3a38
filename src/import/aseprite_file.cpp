#include "import/aseprite_file.h"

#include <algorithm>
#include <array>
#include <map>

#include "model/map.h"
#include "storage/zlib_data.h"

namespace {

struct Refusal {
  std::string why;
};

enum : uint16_t {
  kOldPaletteChunk = 0x0004,
  kOldPalette64Chunk = 0x0011,
  kLayerChunk = 0x2004,
  kCelChunk = 0x2005,
  kTagsChunk = 0x2018,
  kPaletteChunk = 0x2019,
  kTilesetChunk = 0x2023,
};
enum : uint16_t { kLayerVisible = 1, kLayerBackground = 8, kLayerReference = 64 };
enum : uint16_t { kImageLayer = 0, kGroupLayer = 1, kTilemapLayer = 2 };
enum : uint16_t { kRawCel = 0, kLinkedCel = 1, kPackedCel = 2, kTilemapCel = 3 };
enum : uint32_t { kTilesInFile = 2 };

// Little-endian fields, each read only where the bytes hold it.
class Fields {
 public:
  Fields(const uint8_t* at, std::size_t size, const char* what) : at_(at), left_(size), what_(what) {}
  const uint8_t* Take(std::size_t count) {
    if (count > left_) throw Refusal{std::string(what_) + " ends early"};
    const uint8_t* taken = at_;
    at_ += count, left_ -= count;
    return taken;
  }
  uint8_t Byte() { return *Take(1); }
  uint16_t Word() {
    const uint8_t* b = Take(2);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
  }
  int16_t Short() { return static_cast<int16_t>(Word()); }
  uint32_t Dword() {
    const uint8_t* b = Take(4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  }
  std::string String() {
    const uint16_t length = Word();
    const uint8_t* text = Take(length);
    return std::string(reinterpret_cast<const char*>(text), length);
  }
  std::size_t Left() const { return left_; }

 private:
  const uint8_t* at_;
  std::size_t left_;
  const char* what_;
};

struct Layer {
  uint16_t type = kImageLayer;
  uint8_t opacity = 255;
  bool shown = true;  // it and every group it is in are visible
  bool background = false;
  std::string name;
  uint32_t tileset = 0;  // a tilemap layer's
};

// A tileset's tiles one under the other, in the file's colour depth.
struct Tiles {
  int width = 0, height = 0, count = 0;
  std::vector<uint8_t> pixels;
};

// A tilemap layer's first cel: its place in pixels, its tiles with Tiled's flip bits.
struct TilemapCel {
  int layer = 0, x = 0, y = 0, columns = 0, rows = 0;
  std::vector<uint32_t> tiles;
};

// A cel's picture in the file's colour depth, shared by the cels linked to it.
struct CelImage {
  int x = 0, y = 0, width = 0, height = 0, opacity = 255;
  std::vector<uint8_t> pixels;
};

struct Cel {
  int layer = 0, z = 0;
  int image = 0;  // into the images read
};

struct Reading {
  int depth = 32;  // bits a pixel: 32 RGBA, 16 grey and alpha, 8 indexed
  int transparentIndex = 0;
  bool layerOpacity = false;  // the header says the layers' opacity is set
  std::array<std::array<uint8_t, 4>, 256> palette{};
  bool newPalette = false;  // a palette chunk of the current kind was read: the old kinds are ignored
  std::vector<Layer> layers;
  std::vector<uint8_t> groupShown;  // by child level, whether the group last seen at it shows
  std::vector<CelImage> images;
  std::vector<std::vector<Cel>> cels;  // a frame's
  std::size_t drawn = 0;               // pixels the cels so far draw, and tiles unpacked
  std::map<uint32_t, Tiles> tilesets;  // by their ids
  std::vector<TilemapCel> tilemaps;    // a tilemap layer's first
};

// Counts pixels (or tiles) about to be unpacked or drawn against what an import takes at most.
void Spend(Reading& reading, std::size_t count, int frame) {
  reading.drawn += count;
  if (reading.drawn > kMaxAsepriteDrawn)
    throw Refusal{"the cels and tiles up to frame " + std::to_string(frame + 1) + " hold more than an import takes"};
}

std::string CelPlace(const Reading& reading, int frame, int layer) {
  return "the cel of layer \"" + reading.layers[layer].name + "\" in frame " + std::to_string(frame + 1);
}

void ReadLayer(Fields& chunk, Reading& reading) {
  Layer layer;
  const uint16_t flags = chunk.Word();
  layer.type = chunk.Word();
  const uint16_t level = chunk.Word();
  chunk.Take(6);  // default width and height, blend mode: every layer is drawn normally
  layer.opacity = chunk.Byte();
  chunk.Take(3);
  layer.name = chunk.String();
  if (layer.type == kTilemapLayer) layer.tileset = chunk.Dword();
  layer.background = flags & kLayerBackground;
  if (level > reading.groupShown.size()) throw Refusal{"layer \"" + layer.name + "\" is in a group that is not there"};
  reading.groupShown.resize(level);
  const bool parentShown = level == 0 || reading.groupShown.back();
  layer.shown = parentShown && (flags & kLayerVisible) && !(flags & kLayerReference);
  if (layer.type == kGroupLayer) reading.groupShown.push_back(layer.shown);
  reading.layers.push_back(std::move(layer));
}

int BytesPerPixel(int depth) { return depth / 8; }

// The packed bytes that follow, which must unpack to exactly `size`.
std::vector<uint8_t> Unpacked(Fields& chunk, std::size_t size, const std::string& what) {
  std::vector<uint8_t> bytes;
  const std::size_t packed = chunk.Left();
  if (!InflateExactly(chunk.Take(packed), packed, size, bytes)) throw Refusal{what + " does not unpack"};
  return bytes;
}

void ReadTileset(Fields& chunk, Reading& reading, int frame) {
  const uint32_t id = chunk.Dword(), flags = chunk.Dword();
  Tiles tiles;
  const uint32_t count = chunk.Dword();
  tiles.width = chunk.Word(), tiles.height = chunk.Word();
  chunk.Take(2 + 14);  // the base index shown, reserved
  const std::string name = "tileset \"" + chunk.String() + "\"";
  if (!(flags & kTilesInFile)) throw Refusal{name + " is kept in another file"};
  if (count > kMaxAsepriteDrawn) throw Refusal{name + " holds more tiles than an import takes"};  // and no overflow
  const std::size_t pixels = std::size_t(tiles.width) * tiles.height * count;
  Spend(reading, pixels, frame);
  tiles.count = static_cast<int>(count);
  chunk.Dword();  // the packed length: the rest of the chunk
  tiles.pixels = Unpacked(chunk, pixels * BytesPerPixel(reading.depth), name);
  reading.tilesets[id] = std::move(tiles);
}

void ReadTilemapCel(Fields& chunk, Reading& reading, int layer, int x, int y, int frame) {
  const bool first = std::none_of(reading.tilemaps.begin(), reading.tilemaps.end(),
                                  [layer](const TilemapCel& cel) { return cel.layer == layer; });
  if (!first) return;  // the map is the layer's first cel; later frames' are left
  TilemapCel cel{layer, x, y, chunk.Word(), chunk.Word(), {}};
  if (chunk.Word() != 32) throw Refusal{CelPlace(reading, frame, layer) + " has tiles of other than 32 bits"};
  const uint32_t idBits = chunk.Dword(), flipX = chunk.Dword(), flipY = chunk.Dword(), flipD = chunk.Dword();
  chunk.Take(10);
  Spend(reading, std::size_t(cel.columns) * cel.rows, frame);
  const std::vector<uint8_t> bytes =
      Unpacked(chunk, std::size_t(cel.columns) * cel.rows * 4, CelPlace(reading, frame, layer));
  for (std::size_t at = 0; at < bytes.size(); at += 4) {
    const uint32_t tile = uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                          uint32_t(bytes[at + 3]) << 24;
    const uint32_t id = tile & idBits;
    cel.tiles.push_back((id > kGidBits ? kGidBits : id) | (tile & flipX ? kFlipH : 0) | (tile & flipY ? kFlipV : 0) |
                        (tile & flipD ? kFlipD : 0));
  }
  reading.tilemaps.push_back(std::move(cel));
}

void ReadCel(Fields& chunk, Reading& reading, int frame, int width, int height) {
  Cel cel;
  cel.layer = chunk.Word();
  if (cel.layer >= static_cast<int>(reading.layers.size()))
    throw Refusal{"a cel in frame " + std::to_string(frame + 1) + " names a layer that is not there"};
  CelImage image;
  image.x = chunk.Short(), image.y = chunk.Short();
  image.opacity = chunk.Byte();
  const uint16_t type = chunk.Word();
  cel.z = chunk.Short();
  chunk.Take(5);
  if (type == kLinkedCel) {
    const uint16_t linked = chunk.Word();
    if (linked >= frame) throw Refusal{CelPlace(reading, frame, cel.layer) + " links to a later frame"};
    const std::vector<Cel>& earlier = reading.cels[linked];
    const auto found =
        std::find_if(earlier.begin(), earlier.end(), [&cel](const Cel& other) { return other.layer == cel.layer; });
    if (found == earlier.end())
      throw Refusal{CelPlace(reading, frame, cel.layer) + " links to frame " + std::to_string(linked + 1) +
                    ", which has no cel there"};
    cel.image = found->image;
    Spend(reading, static_cast<std::size_t>(reading.images[cel.image].width) * reading.images[cel.image].height, frame);
    reading.cels[frame].push_back(cel);
    return;
  }
  if (type == kTilemapCel) return ReadTilemapCel(chunk, reading, cel.layer, image.x, image.y, frame);
  if (type != kRawCel && type != kPackedCel) return;
  image.width = chunk.Word(), image.height = chunk.Word();
  if (image.x < 0 || image.y < 0 || image.x + image.width > width || image.y + image.height > height)
    throw Refusal{CelPlace(reading, frame, cel.layer) + " reaches past the " + std::to_string(width) + " x " +
                  std::to_string(height) + " canvas"};
  Spend(reading, static_cast<std::size_t>(image.width) * image.height, frame);
  const std::size_t size = static_cast<std::size_t>(image.width) * image.height * BytesPerPixel(reading.depth);
  if (type == kRawCel) {
    const uint8_t* raw = chunk.Take(size);
    image.pixels.assign(raw, raw + size);
  } else {
    image.pixels = Unpacked(chunk, size, CelPlace(reading, frame, cel.layer));
  }
  cel.image = static_cast<int>(reading.images.size());
  reading.images.push_back(std::move(image));
  reading.cels[frame].push_back(cel);
}

void ReadPalette(Fields& chunk, Reading& reading) {
  chunk.Dword();  // the palette's new size: entries past it keep their colours
  const uint32_t first = chunk.Dword(), last = chunk.Dword();
  chunk.Take(8);
  if (first > last || last > 255) throw Refusal{"a palette chunk names colours past 256"};
  for (uint32_t index = first; index <= last; ++index) {
    const uint16_t flags = chunk.Word();
    const uint8_t* rgba = chunk.Take(4);
    std::copy(rgba, rgba + 4, reading.palette[index].begin());
    if (flags & 1) chunk.String();
  }
  reading.newPalette = true;
}

// The palettes of older files: packets of colours, each after skipped entries,
// their channels 0-255 or (`scale64`) 0-63.
void ReadOldPalette(Fields& chunk, Reading& reading, bool scale64) {
  const uint16_t packets = chunk.Word();
  int index = 0;
  for (int packet = 0; packet < packets; ++packet) {
    index += chunk.Byte();
    const int count = chunk.Byte();
    for (int i = 0; i < (count == 0 ? 256 : count); ++i, ++index) {
      const uint8_t* rgb = chunk.Take(3);
      if (index > 255) throw Refusal{"a palette chunk names colours past 256"};
      for (int c = 0; c < 3; ++c)
        reading.palette[index][c] = scale64 ? static_cast<uint8_t>(rgb[c] * 255 / 63) : rgb[c];
    }
  }
}

void ReadTags(Fields& chunk, AsepriteFile& file, int frames) {
  const uint16_t count = chunk.Word();
  chunk.Take(8);
  for (int i = 0; i < count; ++i) {
    AsepriteTag tag;
    tag.from = chunk.Word(), tag.to = chunk.Word();
    tag.direction = chunk.Byte();
    chunk.Take(2 + 6 + 3 + 1);  // repeats, reserved, colour
    tag.name = chunk.String();
    if (tag.from > tag.to || tag.to >= frames)
      throw Refusal{"tag \"" + tag.name + "\" names frames that are not there"};
    file.tags.push_back(std::move(tag));
  }
}

// A pixel in the file's colour depth as RGBA; the transparent index is clear but on a background layer.
std::array<uint8_t, 4> Colour(const Reading& reading, const uint8_t* p, bool background) {
  std::array<uint8_t, 4> rgba{};
  if (reading.depth == 32)
    rgba = {p[0], p[1], p[2], p[3]};
  else if (reading.depth == 16)
    rgba = {p[0], p[0], p[0], p[1]};
  else if (p[0] != reading.transparentIndex || background)
    rgba = reading.palette[p[0]];
  return rgba;
}

// A cel's pixel as RGBA, its alpha scaled by the cel's and the layer's opacity.
std::array<uint8_t, 4> CelPixel(const Reading& reading, const CelImage& image, const Layer& layer, std::size_t at) {
  std::array<uint8_t, 4> rgba = Colour(reading, &image.pixels[at * BytesPerPixel(reading.depth)], layer.background);
  const int opacity = image.opacity * (reading.layerOpacity ? layer.opacity : 255);
  rgba[3] = static_cast<uint8_t>(rgba[3] * opacity / (255 * 255));
  return rgba;
}

// `source` laid over `below` as Aseprite's normal blend lays it.
void Blend(uint8_t* below, const std::array<uint8_t, 4>& source) {
  const int sa = source[3], da = below[3] * (255 - sa) / 255, a = sa + da;
  if (a == 0) return;
  for (int c = 0; c < 3; ++c) below[c] = static_cast<uint8_t>((source[c] * sa + below[c] * da + a / 2) / a);
  below[3] = static_cast<uint8_t>(a);
}

RgbaImage DrawFrame(const Reading& reading, std::vector<Cel> cels, int width, int height) {
  // A cel's z-index moves it among the layers; on a tie the lower z-index is drawn first.
  std::stable_sort(cels.begin(), cels.end(), [](const Cel& a, const Cel& b) {
    return std::make_pair(a.layer + a.z, a.z) < std::make_pair(b.layer + b.z, b.z);
  });
  RgbaImage frame{width, height, std::vector<uint8_t>(static_cast<std::size_t>(width) * height * 4, 0)};
  for (const Cel& cel : cels) {
    const Layer& layer = reading.layers[cel.layer];
    if (!layer.shown || layer.type != kImageLayer) continue;
    const CelImage& image = reading.images[cel.image];
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        Blend(&frame.rgba[(static_cast<std::size_t>(image.y + y) * width + image.x + x) * 4],
              CelPixel(reading, image, layer, static_cast<std::size_t>(y) * image.width + x));
  }
  return frame;
}

int FloorDivided(int value, int by) { return value >= 0 ? value / by : -((-value + by - 1) / by); }

// Each tilemap layer's first cel laid on the canvas's grid of its tiles; tiles off the canvas are left.
void MakeTilemaps(const Reading& reading, AsepriteFile& file) {
  for (const TilemapCel& cel : reading.tilemaps) {
    const Layer& layer = reading.layers[cel.layer];
    const auto found = reading.tilesets.find(layer.tileset);
    if (found == reading.tilesets.end() || found->second.width == 0 || found->second.height == 0)
      throw Refusal{"tilemap layer \"" + layer.name + "\" has no tileset in the file"};
    const Tiles& tiles = found->second;
    AsepriteTilemap tilemap;
    tilemap.name = layer.name, tilemap.tileWidth = tiles.width, tilemap.tileHeight = tiles.height;
    TileLayers& map = tilemap.map;
    map.side = tiles.width;
    map.width = (file.width + tiles.width - 1) / tiles.width,
    map.height = (file.height + tiles.height - 1) / tiles.height;
    if (map.width > kMaxMapSide || map.height > kMaxMapSide)
      throw Refusal{"tilemap layer \"" + layer.name + "\" is more than " + std::to_string(kMaxMapSide) +
                    " tiles a side"};
    TileLayerSet set;
    set.firstGid = 0, set.count = tiles.count, set.columns = 1;
    set.picture = {tiles.width, tiles.height * tiles.count, {}};
    for (std::size_t at = 0; at < tiles.pixels.size(); at += BytesPerPixel(reading.depth)) {
      const std::array<uint8_t, 4> rgba = Colour(reading, &tiles.pixels[at], false);
      set.picture.rgba.insert(set.picture.rgba.end(), rgba.begin(), rgba.end());
    }
    map.tilesets.push_back(std::move(set));
    std::vector<uint32_t> cells(static_cast<std::size_t>(map.width) * map.height, 0);
    const int left = FloorDivided(cel.x, tiles.width), top = FloorDivided(cel.y, tiles.height);
    for (int row = 0; row < cel.rows; ++row)
      for (int column = 0; column < cel.columns; ++column)
        if (left + column >= 0 && left + column < map.width && top + row >= 0 && top + row < map.height)
          cells[static_cast<std::size_t>(top + row) * map.width + left + column] =
              cel.tiles[static_cast<std::size_t>(row) * cel.columns + column];
    map.layers.push_back(std::move(cells));
    file.tilemaps.push_back(std::move(tilemap));
  }
}

void ReadFile(const uint8_t* bytes, std::size_t size, AsepriteFile& file) {
  Fields header(bytes, size, "the header");
  const uint32_t declared = header.Dword();
  if (header.Word() != 0xA5E0) throw Refusal{"this is not an Aseprite file"};
  if (declared > size) throw Refusal{"the file is shorter than its header says"};
  if (declared < size) throw Refusal{"the file is longer than its header says"};
  const int frames = header.Word();
  file.width = header.Word(), file.height = header.Word();
  Reading reading;
  reading.depth = header.Word();
  if (reading.depth != 32 && reading.depth != 16 && reading.depth != 8)
    throw Refusal{"a colour depth of " + std::to_string(reading.depth) + " bits is not Aseprite's"};
  reading.layerOpacity = header.Dword() & 1;
  header.Take(2 + 8);  // the old speed, reserved
  reading.transparentIndex = header.Byte();
  header.Take(128 - 29);
  if (file.width == 0 || file.height == 0) throw Refusal{"the canvas is empty"};
  if (static_cast<std::size_t>(file.width) * file.height * frames > kMaxAsepritePixels)
    throw Refusal{std::to_string(frames) + " frames of " + std::to_string(file.width) + " x " +
                  std::to_string(file.height) + " are more than an import takes"};
  for (auto& colour : reading.palette) colour = {0, 0, 0, 255};
  reading.cels.resize(frames);
  Fields body(bytes + 128, size - 128, "the last frame");
  for (int frame = 0; frame < frames; ++frame) {
    const uint32_t frameSize = body.Dword();
    if (frameSize < 16) throw Refusal{"frame " + std::to_string(frame + 1) + " is too short to hold its header"};
    Fields frameFields(body.Take(frameSize - 4), frameSize - 4, "a frame");
    if (frameFields.Word() != 0xF1FA) throw Refusal{"frame " + std::to_string(frame + 1) + " is damaged"};
    const uint16_t oldCount = frameFields.Word();
    file.durations.push_back(frameFields.Word());
    frameFields.Take(2);
    const uint32_t newCount = frameFields.Dword();
    const uint32_t chunks = newCount != 0 ? newCount : oldCount;
    for (uint32_t c = 0; c < chunks; ++c) {
      const uint32_t chunkSize = frameFields.Dword();
      if (chunkSize < 6) throw Refusal{"a chunk in frame " + std::to_string(frame + 1) + " is too short"};
      const uint16_t type = frameFields.Word();
      Fields chunk(frameFields.Take(chunkSize - 6), chunkSize - 6, "a chunk");
      if (type == kLayerChunk)
        ReadLayer(chunk, reading);
      else if (type == kCelChunk)
        ReadCel(chunk, reading, frame, file.width, file.height);
      else if (type == kPaletteChunk)
        ReadPalette(chunk, reading);
      else if ((type == kOldPaletteChunk || type == kOldPalette64Chunk) && !reading.newPalette)
        ReadOldPalette(chunk, reading, type == kOldPalette64Chunk);
      else if (type == kTagsChunk)
        ReadTags(chunk, file, frames);
      else if (type == kTilesetChunk)
        ReadTileset(chunk, reading, frame);
    }
    file.frames.emplace_back();  // drawn once every palette chunk is read
  }
  for (int frame = 0; frame < frames; ++frame)
    file.frames[frame] = DrawFrame(reading, reading.cels[frame], file.width, file.height);
  MakeTilemaps(reading, file);
}

}  // namespace

bool ReadAsepriteFile(const uint8_t* bytes, std::size_t size, AsepriteFile& file, std::string& error) {
  file = AsepriteFile{};
  try {
    ReadFile(bytes, size, file);
    return true;
  } catch (const Refusal& refusal) {
    file = AsepriteFile{};
    error = refusal.why;
    return false;
  }
}

std::vector<int> TagFrames(const AsepriteTag& tag) {
  std::vector<int> played;
  for (int frame = tag.from; frame <= tag.to; ++frame) played.push_back(frame);
  if (tag.direction == 1 || tag.direction == 3) std::reverse(played.begin(), played.end());
  // Ping-pong comes back without playing either end twice.
  if (tag.direction >= 2 && played.size() > 2) {
    const std::vector<int> back(played.rbegin() + 1, played.rend() - 1);
    played.insert(played.end(), back.begin(), back.end());
  }
  return played;
}
