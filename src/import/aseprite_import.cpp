#include "import/aseprite_import.h"

#include <algorithm>

#include "import/aseprite_file.h"
#include "import/frame_metasprites.h"
#include "import/tile_layers.h"

namespace {

int RoundedUp(int length, int side) { return (length + side - 1) / side * side; }

// Where frames play: each tag's as it plays, or every frame where there is no tag.
std::vector<std::vector<int>> PlayedFrames(const AsepriteFile& file) {
  std::vector<std::vector<int>> lists;
  for (const AsepriteTag& tag : file.tags) lists.push_back(TagFrames(tag));
  if (lists.empty() && file.frames.size() > 1) {
    lists.emplace_back(file.frames.size());
    for (std::size_t frame = 0; frame < file.frames.size(); ++frame) lists[0][frame] = static_cast<int>(frame);
  }
  return lists;
}

// "walk 2" for the second frame of tag "walk"; the file's name and the frame's number outside every tag.
void NameFrame(char (&frameName)[kNameSize], const AsepriteFile& file, int frame, const std::string& name) {
  for (const AsepriteTag& tag : file.tags)
    if (frame >= tag.from && frame <= tag.to) {
      FormatName(frameName, "%.14s %d", tag.name.c_str(), frame - tag.from + 1);
      return;
    }
  FormatName(frameName, "%.14s %d", name.c_str(), frame + 1);
}
bool HasPixels(const RgbaImage& frame) {
  for (std::size_t at = 3; at < frame.rgba.size(); at += 4)
    if (frame.rgba[at] >= 128) return true;
  return false;
}

// The frames as metasprites and the tags as strips, into `next`; what was made, or "" for no frame with pixels.
std::string AddFrames(const AsepriteFile& file, const std::string& name, Project& next, int maxPerLine) {
  const int side = next.spriteSize.side;
  // A canvas off the sprite grid is padded with clear pixels on the right and at the bottom.
  const int width = RoundedUp(file.width, side), height = RoundedUp(file.height, side);
  if (std::none_of(file.frames.begin(), file.frames.end(), HasPixels)) return "";
  if (width > kMaxMetaspriteSide || height > kMaxMetaspriteSide) {
    const std::string why =
        "the " + SizeText(file.width, file.height) + " canvas is larger than a metasprite's 64 x 64";
    if (file.tilemaps.empty()) throw FrameRefusal{why};
    return "image layers left out: " + why;
  }
  ChipColourMatch match(false, 0);
  FrameMetasprites made(next, maxPerLine);
  std::vector<int32_t> metaspriteOf(file.frames.size(), -1);
  for (std::size_t frame = 0; frame < file.frames.size(); ++frame) {
    MetaspritePicture picture;
    for (int y = 0; y < file.height; ++y)
      for (int x = 0; x < file.width; ++x)
        picture.pixels[y][x] = match(&file.frames[frame].rgba[(static_cast<std::size_t>(y) * file.width + x) * 4]);
    char frameName[kNameSize];
    NameFrame(frameName, file, static_cast<int>(frame), name);
    metaspriteOf[frame] =
        made.Add(picture, width, height, frameName, SheetCell{}, "frame " + std::to_string(frame + 1) + " of the file");
  }
  std::vector<std::vector<int32_t>> strips;
  std::vector<int> durations;
  for (const std::vector<int>& frames : PlayedFrames(file)) {
    strips.emplace_back();
    for (int frame : frames)
      if (metaspriteOf[frame] >= 0)
        strips.back().push_back(metaspriteOf[frame]), durations.push_back(file.durations[frame]);
  }
  const int filled = FramesIntoStrips(next.strips, strips);
  const bool oneSpeed = !durations.empty() && durations[0] > 0 &&
                        std::all_of(durations.begin(), durations.end(), [&](int d) { return d == durations[0]; });
  if (filled > 0 && oneSpeed) next.strips.frameSeconds = static_cast<float>(durations[0]) / 1000.0f;

  std::string message = Plural(made.frames, "metasprite") + " from frames of " + SizeText(width, height) + ": " +
                        Plural(made.Sprites(), "sprite") + " for " + Plural(made.parts, "part") + ", at most " +
                        std::to_string(made.worstLine) + " on a line";
  if (filled > 0) {
    message += "; " + Plural(filled, "animation strip") + " filled";
    if (oneSpeed) message += ", a frame every " + std::to_string(durations[0]) + " ms";
  }
  const int listed = static_cast<int>(
      std::count_if(strips.begin(), strips.end(), [](const std::vector<int32_t>& strip) { return !strip.empty(); }));
  if (listed > filled) message += "; " + Plural(listed - filled, "tag") + " left out: every strip is in use";
  return message;
}

// Each tilemap layer as a map with a tile set of its own, into `next`; what was made.
std::string AddTilemaps(const AsepriteFile& file, Project& next) {
  std::string message;
  for (const AsepriteTilemap& tilemap : file.tilemaps) {
    const int side = tilemap.tileWidth;
    if (tilemap.tileHeight != side || (side != 8 && side != 16 && side != 32))
      throw TileLayerRefusal{"tilemap \"" + tilemap.name + "\" has tiles of " +
                             SizeText(tilemap.tileWidth, tilemap.tileHeight) +
                             " pixels: a metatile is 8, 16 or 32 pixels square"};
    const ImportResult made = AddTileLayersMap(tilemap.map, tilemap.name, next);
    message += (message.empty() ? "tilemap " : "; tilemap ") + made.message;
  }
  return message;
}
}  // namespace

ImportResult ImportAseprite(const uint8_t* bytes, std::size_t size, const std::string& name, Project& data,
                            int maxPerLine) {
  ImportResult result;
  const auto refuse = [&result](const std::string& why) {
    result.message = "Cannot import the Aseprite file: " + why + ".";
    return result;
  };
  AsepriteFile file;
  std::string error;
  if (!ReadAsepriteFile(bytes, size, file, error)) return refuse(error);
  Project next = data;
  std::string frames, tilemaps;
  try {
    frames = AddFrames(file, name, next, maxPerLine);
    tilemaps = AddTilemaps(file, next);
  } catch (const FrameRefusal& refusal) {
    return refuse(refusal.why);
  } catch (const TileLayerRefusal& refusal) {
    return refuse(refusal.why);
  }
  if (frames.empty() && tilemaps.empty()) return refuse("every frame is empty");
  const int firstTileSet = file.tilemaps.empty() ? -1 : static_cast<int>(data.tileSets.size());
  data = std::move(next);
  result.ok = true;
  result.firstTileSet = firstTileSet;
  result.message = "Aseprite file " + name + ": " + frames + (frames.empty() || tilemaps.empty() ? "" : "; ") +
                   tilemaps + PastPatternTableWarning(data);
  return result;
}
