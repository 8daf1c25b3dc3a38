#pragma once
// The project's metasprites as one Aseprite file, for an artist to go on
// with: a frame a metasprite on a canvas as large as the largest, a layer a
// chip colour (so that a colour's pixels stay its own), the project's palette
// as the file's (index 0 transparent), and each strip that plays a run of
// metasprites in order a tag. The Aseprite import reads it back.

#include <string>
#include <vector>

#include "model/project.h"

struct AsepriteExport {
  std::string bytes;                 // empty when the project has no metasprites
  std::vector<std::string> leftOut;  // the strips no tag can play, and why
  int tags = 0;
};

AsepriteExport AsepriteFileOf(const Project& data);
