#include "import/tiled_map_import.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "import/tile_layers.h"
#include "storage/file_io.h"
#include "storage/png_file.h"
#include "storage/utf8_path.h"
#include "storage/zlib_data.h"
#include "tinyxml2.h"

namespace {
using tinyxml2::XMLElement;

constexpr int kMaxPicture = 4096;                 // pixels across or down a tileset's picture
constexpr std::size_t kMaxLayerCells = 4u << 20;  // four layers of the largest map

using Refusal = TileLayerRefusal;

// A path a file names, from that file's folder; UTF-8 throughout, as every path here.
std::string Joined(const std::string& base, const std::string& relative) {
  return Utf8Text((Utf8Path(base).parent_path() / Utf8Path(relative)).lexically_normal());
}

std::string Text(const XMLElement* element, const char* name) {
  const char* value = element->Attribute(name);
  return value ? value : "";
}

XMLElement* Parse(tinyxml2::XMLDocument& document, const std::string& text, const char* root, const std::string& what) {
  if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS)
    throw Refusal{what + " is not XML Tiled writes: " + document.ErrorStr()};
  XMLElement* element = document.FirstChildElement(root);
  if (!element) throw Refusal{what + " has no <" + std::string(root) + ">"};
  return element;
}

std::string ReadNamed(const TiledFileReader& read, const std::string& path) {
  std::string bytes, error;
  if (!read(path, bytes, error)) throw Refusal{"cannot read " + path + ": " + error};
  return bytes;
}

// A tileset element (embedded, or an external file's root) of tiles `side` pixels a side.
void ReadTileset(const XMLElement* element, const std::string& file, int side, const TiledFileReader& read,
                 TileLayerSet& tileset) {
  const std::string name = "tileset \"" + Text(element, "name") + "\"";
  if (element->IntAttribute("tilewidth", 0) != side || element->IntAttribute("tileheight", 0) != side)
    throw Refusal{name + "'s tiles are not " + std::to_string(side) + " pixels square, as the map's are"};
  const XMLElement* image = element->FirstChildElement("image");
  if (!image || Text(image, "source").empty())
    throw Refusal{name + " is a collection of pictures: only a tileset of one picture can be read"};
  const std::string png = ReadNamed(read, Joined(file, Text(image, "source")));
  std::string error;
  if (!DecodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size(), kMaxPicture, kMaxPicture, tileset.picture,
                 error))
    throw Refusal{name + "'s picture: " + error};
  if (const std::string trans = Text(image, "trans"); !trans.empty()) {
    const uint32_t key = static_cast<uint32_t>(std::strtoul(trans.c_str() + (trans[0] == '#'), nullptr, 16));
    for (std::size_t at = 0; at < tileset.picture.rgba.size(); at += 4) {
      const uint8_t* p = &tileset.picture.rgba[at];
      if ((uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]) == key) tileset.picture.rgba[at + 3] = 0;
    }
  }
  tileset.spacing = std::max(0, element->IntAttribute("spacing", 0));
  tileset.margin = std::max(0, element->IntAttribute("margin", 0));
  const int across = (tileset.picture.width - 2 * tileset.margin + tileset.spacing) / (side + tileset.spacing);
  const int down = (tileset.picture.height - 2 * tileset.margin + tileset.spacing) / (side + tileset.spacing);
  // Only tiles wholly within the picture: a count or columns past it are cut back.
  tileset.columns = std::clamp(element->IntAttribute("columns", across), 0, std::max(across, 0));
  tileset.count = std::clamp(element->IntAttribute("tilecount", across * down), 0, tileset.columns * std::max(down, 0));
  for (const XMLElement* tile = element->FirstChildElement("tile"); tile; tile = tile->NextSiblingElement("tile")) {
    const XMLElement* properties = tile->FirstChildElement("properties");
    for (const XMLElement* property = properties ? properties->FirstChildElement("property") : nullptr; property;
         property = property->NextSiblingElement("property"))
      if (Text(property, "name") == "solid" && Text(property, "value") == "true")
        tileset.solid.insert(tile->IntAttribute("id", -1));
  }
}

std::vector<uint8_t> Base64(const std::string& text) {
  std::vector<uint8_t> bytes;
  uint32_t bits = 0;
  int held = 0;
  for (char c : text) {
    int value;
    if (c >= 'A' && c <= 'Z')
      value = c - 'A';
    else if (c >= 'a' && c <= 'z')
      value = c - 'a' + 26;
    else if (c >= '0' && c <= '9')
      value = c - '0' + 52;
    else if (c == '+')
      value = 62;
    else if (c == '/')
      value = 63;
    else if (c == '=' || std::isspace(static_cast<unsigned char>(c)))
      continue;
    else
      throw Refusal{"a layer's base64 data holds \"" + std::string(1, c) + "\""};
    bits = bits << 6 | static_cast<uint32_t>(value), held += 6;
    if (held >= 8) held -= 8, bytes.push_back(static_cast<uint8_t>(bits >> held));
  }
  return bytes;
}

std::vector<uint32_t> LayerCells(const XMLElement* layer, const TileLayers& map) {
  const std::string name = "layer \"" + Text(layer, "name") + "\"";
  if (layer->IntAttribute("width", 0) != map.width || layer->IntAttribute("height", 0) != map.height)
    throw Refusal{name + " is not the map's size"};
  const XMLElement* data = layer->FirstChildElement("data");
  if (!data) throw Refusal{name + " has no data"};
  if (data->FirstChildElement("chunk")) throw Refusal{name + " is in chunks, as only infinite maps are"};
  const std::size_t cells = static_cast<std::size_t>(map.width) * map.height;
  std::vector<uint32_t> gids;
  const std::string encoding = Text(data, "encoding"), compression = Text(data, "compression");
  const char* text = data->GetText() ? data->GetText() : "";
  if (encoding == "csv") {
    for (const char* at = text; *at;) {
      if (!std::isdigit(static_cast<unsigned char>(*at))) {
        if (*at != ',' && !std::isspace(static_cast<unsigned char>(*at)))
          throw Refusal{name + "'s CSV data is damaged"};
        ++at;
        continue;
      }
      char* end = nullptr;
      const unsigned long long gid = std::strtoull(at, &end, 10);
      if (gid > 0xFFFFFFFFull || gids.size() == cells) throw Refusal{name + "'s CSV data is damaged"};
      gids.push_back(static_cast<uint32_t>(gid));
      at = end;
    }
  } else if (encoding == "base64") {
    std::vector<uint8_t> bytes = Base64(text);
    if (compression == "zlib" || compression == "gzip") {
      std::vector<uint8_t> packed = std::move(bytes);
      if (!InflateExactly(packed.data(), packed.size(), 4 * cells, bytes))
        throw Refusal{"a layer's packed data does not unpack to its cells"};
    } else if (!compression.empty())
      throw Refusal{name + " is packed with " + compression + ", which is not read"};
    if (bytes.size() != 4 * cells) throw Refusal{name + "'s data does not hold its cells"};
    for (std::size_t i = 0; i < cells; ++i)
      gids.push_back(uint32_t(bytes[4 * i]) | uint32_t(bytes[4 * i + 1]) << 8 | uint32_t(bytes[4 * i + 2]) << 16 |
                     uint32_t(bytes[4 * i + 3]) << 24);
  } else if (encoding.empty()) {
    for (const XMLElement* tile = data->FirstChildElement("tile"); tile && gids.size() <= cells;
         tile = tile->NextSiblingElement("tile"))
      gids.push_back(tile->UnsignedAttribute("gid", 0));
  } else {
    throw Refusal{name + " is encoded as " + encoding + ", which is not read"};
  }
  if (gids.size() != cells) throw Refusal{name + "'s data does not hold its cells"};
  return gids;
}

// The layers and objects of the map or a group, in drawing order.
void ReadLayers(const XMLElement* parent, TileLayers& map) {
  for (const XMLElement* child = parent->FirstChildElement(); child; child = child->NextSiblingElement()) {
    const std::string kind = child->Name();
    if (kind == "objectgroup")
      for (const XMLElement* object = child->FirstChildElement("object"); object;
           object = object->NextSiblingElement("object"))
        if (Text(object, "name") == "start" || Text(object, "type") == "start" || Text(object, "class") == "start")
          map.startX = static_cast<int>(std::lround(object->DoubleAttribute("x"))),
          map.startY = static_cast<int>(std::lround(object->DoubleAttribute("y")));
    if (child->IntAttribute("visible", 1) == 0) continue;
    if (kind == "layer" && (map.layers.size() + 1) * map.width * map.height > kMaxLayerCells)
      throw Refusal{"the map's visible layers hold more than " + std::to_string(kMaxLayerCells) + " cells"};
    if (kind == "layer") map.layers.push_back(LayerCells(child, map));
    if (kind == "group") ReadLayers(child, map);
  }
}

TileLayers ReadMap(const std::string& tmx, const TiledFileReader& read) {
  tinyxml2::XMLDocument document;
  const XMLElement* root = Parse(document, tmx, "map", "the file");
  TileLayers map;
  if (Text(root, "orientation") != "orthogonal")
    throw Refusal{"the map is " + Text(root, "orientation") + ": only orthogonal maps can be read"};
  if (root->IntAttribute("infinite", 0) != 0) throw Refusal{"the map is infinite: give it a size in Tiled first"};
  map.side = root->IntAttribute("tilewidth", 0);
  if ((map.side != 8 && map.side != 16 && map.side != 32) || root->IntAttribute("tileheight", 0) != map.side)
    throw Refusal{"the map's tiles are " + Text(root, "tilewidth") + " x " + Text(root, "tileheight") +
                  " pixels: a metatile is 8, 16 or 32 pixels square"};
  map.width = root->IntAttribute("width", 0), map.height = root->IntAttribute("height", 0);
  if (map.width < 1 || map.height < 1 || map.width > kMaxMapSide || map.height > kMaxMapSide)
    throw Refusal{"the map is " + std::to_string(map.width) + " x " + std::to_string(map.height) +
                  " cells: a map is 1 to 1024 a side"};
  for (const XMLElement* element = root->FirstChildElement("tileset"); element;
       element = element->NextSiblingElement("tileset")) {
    TileLayerSet tileset;
    tileset.firstGid = element->UnsignedAttribute("firstgid", 0);
    if (tileset.firstGid == 0) throw Refusal{"a tileset has no first gid"};
    if (const std::string source = Text(element, "source"); !source.empty()) {
      tinyxml2::XMLDocument external;
      const std::string text = ReadNamed(read, source);
      ReadTileset(Parse(external, text, "tileset", source), source, map.side, read, tileset);
    } else {
      ReadTileset(element, "", map.side, read, tileset);
    }
    map.tilesets.push_back(std::move(tileset));
  }
  std::sort(map.tilesets.begin(), map.tilesets.end(),
            [](const TileLayerSet& a, const TileLayerSet& b) { return a.firstGid < b.firstGid; });
  if (const XMLElement* properties = root->FirstChildElement("properties"))
    for (const XMLElement* property = properties->FirstChildElement("property"); property;
         property = property->NextSiblingElement("property")) {
      if (Text(property, "name") == "speed") map.speed = property->IntAttribute("value", 0);
      if (Text(property, "name") == "walkStrip") map.walkStrip = property->IntAttribute("value", -2);
    }
  ReadLayers(root, map);
  return map;
}

}  // namespace

TiledFileReader FilesBeside(const std::string& mapPath) {
  const std::filesystem::path folder = Utf8Path(mapPath).parent_path();
  return [folder](const std::string& path, std::string& bytes, std::string& error) {
    std::vector<uint8_t> contents;
    const FileResult result = ReadWholeFile(Utf8Text(folder / Utf8Path(path)), contents);
    if (result != FileResult::Ok) return error = DescribeFileResult(result), false;
    bytes.assign(contents.begin(), contents.end());
    return true;
  };
}

ImportResult ImportTiledMap(const std::string& tmx, const std::string& name, Project& data,
                            const TiledFileReader& read) {
  ImportResult result;
  try {
    const TileLayers tiled = ReadMap(tmx, read);
    result = AddTileLayersMap(tiled, name, data);
    result.message = "Tiled map " + result.message;
  } catch (const Refusal& refusal) {
    result = ImportResult{};
    result.message = "Cannot import the Tiled map: " + refusal.why + ".";
  }
  return result;
}
