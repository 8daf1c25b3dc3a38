#pragma once
// The ".krv" project file: "KRV!", version 1, then the sprite, tile-set and
// name-table lists, little-endian with no padding. A settings block follows
// the lists: "SETB", its own version and size, then each name table's tile set
// per third and backdrop, and the animation strips. Readers of the first
// layout stop after the lists and never see it; a file without it loads with
// the start values. A project with export targets ends with one more block:
// "TGTB", its version and size, then the targets; a file without it loads
// with none.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"
#include "storage/file_io.h"

constexpr std::size_t kSpriteRecordSize = kNameSize + 1 + 32;
constexpr std::size_t kTileSetRecordSize = kNameSize + sizeof(TileSet::pixels) + 2 * 256 * 8 * 4;
constexpr std::size_t kNameTableRecordSize = kNameSize + kTableCells + 4;  // before its placements
constexpr std::size_t kPlacementRecordSize = 12;

std::string SerializeProject(const Project& data);

// Reads a whole file image into `data`. Anything short of a complete, well-formed
// file is refused; `data` then holds nothing of use.
FileResult ParseProject(const uint8_t* data, std::size_t size, Project& into);

// Replaces the open project only when the whole file was read; otherwise the
// project stays exactly as it was.
FileResult LoadProject(const std::string& path);
FileResult LoadProjectImage(const uint8_t* data, std::size_t size);
FileResult SaveProject(const std::string& path);
FileResult SaveProject(const std::string& path, const Project& data);
