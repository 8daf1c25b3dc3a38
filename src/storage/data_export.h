#pragma once
// The byte layouts the video chip reads, and the whole-project text export in
// one dialect (see text_dialects.h): one labelled block of data lines per
// sprite, tile set (patterns, then colours) and name table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"
#include "storage/file_io.h"
#include "storage/text_dialects.h"

constexpr const char* kAssemblyLinePrefix = "   db ";
// The bytes the chip reads, as every export writes them: 8 pattern rows a tile
// (the leftmost pixel in the top bit), 8 colour bytes a tile (foreground in the
// high four bits), 32 bytes a sprite in the chip's 16x16 quarter order.
std::vector<uint8_t> PatternBytes(const TileSet& set);
std::vector<uint8_t> ColourBytes(const TileSet& set);
std::vector<uint8_t> SpritePatternBytes(const Sprite& sprite);
// A map's metatiles as games read them: size x size tile numbers each, row by row.
std::vector<uint8_t> MetatileBytes(const Map& map);
// Bytes as every data line writes them: "$0F,$A0".
void AppendHexBytes(std::string& out, const uint8_t* bytes, std::size_t count);

// The whole export of `data`, with "\n" line ends; `renamed` gets the labels
// made unique (see export_labels.h).
std::string ExportText(const Project& data, const TextDialect& dialect, std::vector<std::string>* renamed = nullptr);

// Writes the export in text mode, replacing the file only once all is written.
FileResult WriteExport(const std::string& path, const Project& data, const TextDialect& dialect,
                       std::vector<std::string>* renamed = nullptr);
