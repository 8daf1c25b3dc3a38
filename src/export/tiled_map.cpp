#include "export/tiled_map.h"

#include <algorithm>

#include "chip/chip_render.h"
#include "export/export_labels.h"
#include "storage/png_file.h"

namespace {
constexpr int kSheetColumns = 16;  // metatiles a row of the tileset's picture

std::string Quoted(const char* name, long value) {
  return std::string(" ") + name + "=\"" + std::to_string(value) + "\"";
}

// Text for an XML attribute's value.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Tileset(const Map& map, const std::string& stem, int side, int imageWidth, int imageHeight) {
  const int count = static_cast<int>(map.metatiles.size());
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tileset version=\"1.8\" tiledversion=\"1.8.2\" name=\"" +
      Escaped(map.name) + "\"" + Quoted("tilewidth", side) + Quoted("tileheight", side) + Quoted("tilecount", count) +
      Quoted("columns", std::min(count, kSheetColumns)) + ">\n";
  xml += " <image source=\"" + Escaped(stem) + ".png\"" + Quoted("width", imageWidth) + Quoted("height", imageHeight) +
         "/>\n";
  for (int metatile = 0; metatile < count; ++metatile)
    if (map.metatiles[metatile].solid)
      xml +=
          " <tile" + Quoted("id", metatile) +
          ">\n  <properties>\n   <property name=\"solid\" type=\"bool\" value=\"true\"/>\n  </properties>\n </tile>\n";
  return xml + "</tileset>\n";
}

std::string TileMap(const Map& map, const std::string& stem, int side) {
  const bool start = map.play.startX >= 0 && map.play.startY >= 0;
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" tiledversion=\"1.8.2\" "
      "orientation=\"orthogonal\" renderorder=\"right-down\"" +
      Quoted("width", map.width) + Quoted("height", map.height) + Quoted("tilewidth", side) +
      Quoted("tileheight", side) + " infinite=\"0\"" + Quoted("nextlayerid", 3) +
      Quoted("nextobjectid", start ? 2 : 1) + ">\n";
  xml += " <properties>\n  <property name=\"speed\" type=\"int\"" + Quoted("value", map.play.speed) + "/>\n";
  if (map.play.walkStrip >= 0)
    xml += "  <property name=\"walkStrip\" type=\"int\"" + Quoted("value", map.play.walkStrip) + "/>\n";
  xml += " </properties>\n <tileset firstgid=\"1\" source=\"" + Escaped(stem) + ".tsx\"/>\n";
  xml += " <layer id=\"1\" name=\"" + Escaped(map.name) + "\"" + Quoted("width", map.width) +
         Quoted("height", map.height) + ">\n  <data encoding=\"csv\">\n";
  for (int row = 0; row < map.height; ++row) {
    for (int column = 0; column < map.width; ++column) {
      xml += std::to_string(map.At(column, row) + 1);  // gid 0 is no tile
      if (column + 1 < map.width || row + 1 < map.height) xml += ',';
    }
    xml += '\n';
  }
  xml += "</data>\n </layer>\n";
  if (start)
    xml += " <objectgroup id=\"2\" name=\"Play\" visible=\"0\">\n  <object id=\"1\" name=\"start\" type=\"start\"" +
           Quoted("x", map.play.startX) + Quoted("y", map.play.startY) +
           ">\n   <point/>\n  </object>\n </objectgroup>\n";
  return xml + "</map>\n";
}
}  // namespace

std::vector<OutputFile> TiledMapFiles(const Project& data, std::size_t index, const std::string& stem) {
  const Map& map = data.maps[index];
  const TileSet& set = MapTileSet(data, map);
  const int side = map.metatileSize * 8;
  const IndexedImage sheet = RenderMetatiles(map, set, std::min(static_cast<int>(map.metatiles.size()), kSheetColumns));
  return {{stem + ".tmx", TileMap(map, stem, side), "Tiled map " + std::string(map.name)},
          {stem + ".tsx", Tileset(map, stem, side, sheet.width, sheet.height), "its metatiles for Tiled"},
          {stem + ".png", EncodePng(sheet, 1), "its metatiles' picture"}};
}

std::vector<OutputFile> TiledFiles(const Project& data, const ExportSelection& selection) {
  const ExportLabels labels = LabelExportedRecords(data);
  std::vector<OutputFile> files;
  for (std::size_t i = 0; i < data.maps.size(); ++i) {
    if (i >= selection.maps.size() || !selection.maps[i]) continue;
    for (OutputFile& file : TiledMapFiles(data, i, labels.maps[i])) files.push_back(std::move(file));
  }
  return files;
}
