#include "export/palette_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "model/project.h"

namespace {
std::string Extension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// One colour by the line pattern, red, green and blue taken from the packed colour.
std::string Line(const char* pattern, uint32_t colour, const char* name = "") {
  char line[64];
  std::snprintf(line, sizeof line, pattern, colour & 255, colour >> 8 & 255, colour >> 16 & 255, name);
  return line;
}
}  // namespace

std::string PaletteFileText(const ChipPalette& palette, const std::string& path) {
  const std::string extension = Extension(path);
  std::string text;
  if (extension == "gpl") {
    text = std::string("GIMP Palette\nName: Tessellary ") + palette.name + "\nColumns: 16\n#\n";
    for (int i = 0; i < 16; ++i) text += Line("%3u %3u %3u\t%s\n", palette.colours[i], ColourNames[i]);
  } else if (extension == "pal") {
    text = "JASC-PAL\r\n0100\r\n16\r\n";
    for (uint32_t colour : palette.colours) text += Line("%u %u %u\r\n", colour);
  } else if (extension == "hex") {
    for (uint32_t colour : palette.colours) text += Line("%02x%02x%02x\n", colour);
  }
  return text;
}
