// Writes the binary seeds the fuzz targets start from, made by the editor's
// own code so they are always in the current format.
// Usage: make_seed_corpus <corpus folder>
#include <filesystem>
#include <fstream>

#include "app/dialogs/file_dialog.h"
#include "app/shell/editor_config.h"
#include "app/shell/editor_tabs.h"
#include "chip/chip_render.h"
#include "compress/pletter.h"
#include "compress/zx0.h"
#include "export/aseprite_export.h"
#include "export/build_outputs.h"
#include "export/tiled_map.h"
#include "storage/png_file.h"
#include "storage/project_file.h"
#include "storage/recovery_file.h"

namespace {
void Write(const std::filesystem::path& path, const std::string& contents) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << contents;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  const std::filesystem::path corpus = argv[1];
  ResetProject();
  Write(corpus / "project_loader" / "new.krv", SerializeProject(project));

  Project small;
  small.sprites.assign(2, DefaultSprite());
  small.sprites[1].pixels[3][4] = 1;
  small.sprites[1].colour = 9;
  small.nameTables.assign(2, DefaultNameTable());
  small.nameTables[1].placements = {{0, 10.5f, 20.25f}, {5, -3, 900}};
  small.nameTables[1].backdrop = 4;
  small.strips.cells[2][5] = 1;
  small.strips.active[2][5] = true;
  std::string image = SerializeProject(small);
  Write(corpus / "project_loader" / "no_tile_sets_with_settings.krv", image);
  Project targeted = small;
  targeted.exportTargets = {DefaultExportTarget(ExportFormat::CHeader), DefaultExportTarget(ExportFormat::Png)};
  targeted.exportTargets[0].path = "gfx/level.h";
  targeted.exportTargets[0].allRecords = false;
  targeted.exportTargets[0].sprites = {"Sprite 0"};
  targeted.exportTargets[1].path = "png";
  Write(corpus / "project_loader" / "with_targets.krv", SerializeProject(targeted));
  Project mapped = targeted;
  Map map = DefaultMap();
  map.width = map.height = 3, map.cells = {0, 1, 1, 0, 1, 0, 0, 0, 1}, map.metatiles.resize(2);
  mapped.maps = {map};
  mapped.exportTargets[0].maps = {"Map 1"};
  Write(corpus / "project_loader" / "with_maps.krv", SerializeProject(mapped));
  Project played = mapped;
  played.maps[0].metatiles[1].solid = true;
  played.maps[0].play = {4, 6, 2, 1};
  Write(corpus / "project_loader" / "with_play_settings.krv", SerializeProject(played));
  // The map as Tiled gets it, and with its tileset inside and its cells packed.
  const std::string tmx = TiledMapFiles(played, 0, "map")[0].bytes;
  Write(corpus / "tiled_map" / "exported.tmx", tmx);
  Write(corpus / "tiled_map" / "embedded.tmx",
        "<map orientation=\"orthogonal\" width=\"2\" height=\"1\" tilewidth=\"16\" tileheight=\"16\">"
        "<tileset firstgid=\"1\" tilewidth=\"16\" tileheight=\"16\" spacing=\"1\" margin=\"1\">"
        "<image source=\"t.png\" trans=\"ff00ff\"/></tileset><layer width=\"2\" height=\"1\">"
        "<data encoding=\"base64\" compression=\"zlib\">eJxjZGBgYGJgaAAAAJgAhA==</data></layer>"
        "<objectgroup><object name=\"start\" x=\"3\" y=\"4\"/></objectgroup></map>");
  mapped.metasprites = {Metasprite{"Hero", 32, 48, {{0, 0, 0}, {0, 16, 32}}, {1, 0, 4, 2}}};
  Write(corpus / "project_loader" / "with_metasprites.krv", SerializeProject(mapped));
  mapped.strips.cells[0][0] = 0, mapped.strips.metasprite[0][0] = true;
  Write(corpus / "aseprite" / "exported.aseprite", AsepriteFileOf(mapped).bytes);
  Write(corpus / "recovery_copy" / "level.recovery",
        SerializeRecoveryCopy(1, "/games/level.krv", CanvasImage{}, targeted));
  // Without the settings block, as files saved before it existed.
  image.resize(image.size() - (12 + 4 + 2 * 16 + 4 * 8 * 5 + 4));
  Write(corpus / "project_loader" / "no_tile_sets.krv", image);

  // A screen and a small sheet, as the PNG export writes them.
  Write(
      corpus / "png_import" / "screen.png",
      EncodePng(
          RenderScreen(small.nameTables[1], project.tileSets, small.sprites, small.spriteSize, ScreenLook::Editor), 1));
  IndexedImage sheet{16, 8, std::vector<uint8_t>(16 * 8, 1)};
  for (int x = 0; x < 16; ++x) sheet.pixels[x * 9 % 128] = static_cast<uint8_t>(x);
  Write(corpus / "png_import" / "sheet.png", EncodePng(sheet, 1));
  IndexedImage frames{64, 32, std::vector<uint8_t>(64 * 32, 0)};  // two 32 x 32 frames of three colours
  for (int i = 0; i < 64 * 32; ++i) frames.pixels[i] = static_cast<uint8_t>(i % 64 < 40 ? (i / 7) % 4 : 0);
  Write(corpus / "sprite_sheet" / "frames.png", EncodePng(frames, 1));

  // Packed tables: an empty set's, a short repeat, bytes that repeat now and then, in both formats.
  std::string varied;
  for (int i = 0; i < 600; ++i) varied += static_cast<char>(i % 7 == 0 ? i / 7 : (i * 37) ^ (i >> 3));
  for (const std::string& table : {std::string(2048, '\0'), std::string("ABABABAB tile tile"), varied}) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(table.data());
    const std::vector<uint8_t> zx0 = PackZx0(bytes, table.size()), pletter = PackPletter(bytes, table.size());
    const std::string name = std::to_string(table.size()) + ".bin";
    Write(corpus / "unpack_zx0" / name, std::string(zx0.begin(), zx0.end()));
    Write(corpus / "unpack_pletter" / name, std::string(pletter.begin(), pletter.end()));
  }

  // Screen files of every mode as the export writes them, and a SCREEN 2 file that runs on with sprite patterns.
  small.tileSets = {DefaultTileSet()};
  small.tileSets[0].pixels[1][2][3] = 1;
  small.nameTables[1].cells[5] = 1;
  std::string screen = ScreenFiles(small, SelectAll(small, kAllTables))[1].bytes;
  Write(corpus / "screen_file" / "export.sc2", screen);
  screen[3] = '\xFF', screen[4] = '\x3F';
  screen.resize(7 + 0x4000, '\x18');
  Write(corpus / "screen_file" / "sprites.sc2", screen);
  for (ScreenMode mode : {ScreenMode::Graphics1, ScreenMode::Text, ScreenMode::Multicolor}) {
    small.nameTables[1].mode = mode;
    small.nameTables[1].textCells.assign(kTextColumns * kTableRows, 1);
    small.nameTables[1].blocks.assign(kBlockColumns * kBlockRows, 6);
    const OutputFile file = ScreenFiles(small, SelectAll(small, kAllTables))[1];
    Write(corpus / "screen_file" / file.name, file.bytes);
  }

  savedTabOrder = {2, 0};
  RegisterEditorTabs();
  lastDirectory = "/home/user/games";
  editorSettings.reservedSetting = 9;
  Write(corpus / "editor_config" / "written.cfg", FormatEditorConfig(100, 50));
  return 0;
}
