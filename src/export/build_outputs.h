#pragma once
// The files a game's build takes from a project, beyond the text exports:
// binary tables for incbin, SCREEN 2 files for BLOAD, PNG pictures, and the
// sprite attribute tables. Each is a list of named files (the pictures encoded
// on every core), written into a folder one after another, each atomically:
// writers in parallel only contend for the folder and take longer.

#include <string>
#include <vector>

#include "export/export_blocks.h"
#include "model/project.h"
#include "storage/file_io.h"

struct OutputFile {
  std::string name;  // "Dungeon.pat"
  std::string bytes;
  std::string description;   // "pattern table of tile set Dungeon"
  std::size_t unpacked = 0;  // a packed table: its own size
};

// "index.txt": each file's name, size and contents, and a packed one's unpacked size.
std::string IndexText(const std::vector<OutputFile>& files);

// For each selected tile set "<label>.pat" and "<label>.col" (2048 bytes each),
// for each name table "<label>.nam" (768) and "<label>.sat", for each map
// "<label>.mtl" (its metatiles) and "<label>.map" (its cells), the sprites as
// "sprites.spr" (32 bytes each), each when its table is taken, and "index.txt"
// listing them.
std::vector<OutputFile> BinaryTableFiles(const Project& data, const ExportSelection& selection);

// Each selected name table as MSX BASIC's BLOAD file of its mode: the 7-byte
// header, then video memory from 0x0000 in that SCREEN's layout, as far as its
// names, colours and sprite attributes go (the thirds' sets by the selection's
// layout). Each kind has its own size, so that a reader can tell them apart.
struct ScreenFileKind {
  const char* extension;
  const char* basic;  // the statement that shows it
  std::size_t bytes;  // of video memory
};
inline constexpr ScreenFileKind kScreenFileKinds[kScreenModes] = {{".sc2", "SCREEN 2", 0x3800},
                                                                  {".sc1", "SCREEN 1", 0x2020},
                                                                  {".sc0", "SCREEN 0", 0x1000},
                                                                  {".sc3", "SCREEN 3", 0x1B80}};
constexpr std::size_t kScreenFileSize = 7 + 0x3800;
std::vector<OutputFile> ScreenFiles(const Project& data, const ExportSelection& selection);

// Each selected name table as "<label>.png" (256 x 192 as the editor shows it),
// each selected tile set as "<label>.sheet.png" (128 x 128), each selected map
// as "<label>.map.png" (when no side passes kLargestMapPicture), scaled by `scale`.
constexpr long kLargestMapPicture = 8192;
std::vector<OutputFile> PngFiles(const Project& data, int scale, const ExportSelection& selection);

// The sprite attribute tables as assembly: "<table>_attributes:" and 4 bytes a line,
// each problem as a comment above its table.
std::string SpriteAttributeText(const Project& data, const ExportSelection& selection);
// The same problems for a notice or stderr: "Level_1: placement 3 ...".
std::vector<std::string> SpriteAttributeProblems(const Project& data, const ExportSelection& selection);

// Writes every file into `folder`, stopping at the first that fails; `written`
// gets the paths of those written.
FileResult WriteOutputFiles(const std::string& folder, const std::vector<OutputFile>& files,
                            std::vector<std::string>* written);
