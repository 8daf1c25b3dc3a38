#pragma once
// The ".krv" project file: "KRV!", version 1, then the sprite, tile-set and
// name-table lists, little-endian with no padding.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"
#include "storage/file_io.h"

struct ProjectLists {
  std::vector<Sprite> sprites;
  std::vector<TileSet> tileSets;
  std::vector<NameTable> nameTables;
};

constexpr std::size_t kSpriteRecordSize = kNameSize + 1 + 32;
constexpr std::size_t kTileSetRecordSize = kNameSize + sizeof(TileSet::pixels) + 2 * 256 * 8 * 4;
constexpr std::size_t kNameTableRecordSize = kNameSize + kTableCells + 4;  // before its placements
constexpr std::size_t kPlacementRecordSize = 12;

std::string SerializeProject(const std::vector<Sprite>& sprites, const std::vector<TileSet>& tileSets,
                             const std::vector<NameTable>& nameTables);

// Reads a whole file image into `lists`. Anything short of a complete, well-formed
// file is refused; `lists` then holds nothing of use.
FileResult ParseProject(const uint8_t* data, std::size_t size, ProjectLists& lists);

// Replaces the open project only when the whole file was read; otherwise the
// project stays exactly as it was.
FileResult LoadProject(const std::string& path);
FileResult LoadProjectImage(const uint8_t* data, std::size_t size);
FileResult SaveProject(const std::string& path);
