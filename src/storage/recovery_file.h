#pragma once
// A recovery copy: what the editor holds beyond the saved file, written while
// there are unsaved changes so that a crash loses at most a few seconds.
//   "KRVR", version 1 (u32), the write time (i64, seconds since 1970), the
//   project file's path (u32 length and bytes; empty = untitled), the Tile
//   Studio's canvas (pixels as bytes, then foreground and background as i32,
//   row by row), then the project exactly as its file holds it, to the end.
// Little-endian, no padding.

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/canvas_image.h"
#include "model/project.h"
#include "storage/file_io.h"

constexpr std::size_t kMaxRecoveryPathLength = 4096;

struct RecoveryCopy {
  int64_t savedAt = 0;      // seconds since 1970
  std::string projectPath;  // empty = the untitled project
  CanvasImage canvas;
  Project project;
};

std::string SerializeRecoveryCopy(int64_t savedAt, const std::string& projectPath, const CanvasImage& canvas,
                                  const Project& data);
// Anything short of a complete, well-formed copy is refused.
FileResult ParseRecoveryCopy(const uint8_t* data, std::size_t size, RecoveryCopy& into);
