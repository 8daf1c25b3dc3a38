#include "app/shell/main_menu.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/dialogs/file_dialog.h"
#include "app/export/export_commands.h"
#include "app/import/import_picture.h"
#include "app/import/import_sprite_sheet.h"
#include "app/shell/project_commands.h"
#include "export/build_outputs.h"
#include "model/history.h"
#include "storage/png_file.h"
#include "storage/project_file.h"
#include "studios/map/map_studio_state.h"
#include "studios/sprite/sprite_studio_state.h"
#include "studios/table/table_studio_state.h"
#include "studios/tile/tile_studio_state.h"
#include "support/project_fixtures.h"
#include "support/studio_gui.h"
#include "support/temp_dir.h"
#include "widgets/notice.h"

namespace {
// The user's answer to the file dialog, and what the dialog was asked.
struct DialogStub {
  std::string answer;
  const FileFilters* filters = nullptr;
  bool save = false;  // asked as a save dialog
  int calls = 0;
};
DialogStub dialog;

std::string AnswerDialog(const FileFilters& filters, const std::string&, bool save) {
  ++dialog.calls;
  dialog.filters = &filters;
  dialog.save = save;
  return dialog.answer;
}

class MainMenuTest : public StudioGui {
 protected:
  void SetUp() override {
    dialog = DialogStub{};
    previousDialog = fileDialogFunction;
    fileDialogFunction = AnswerDialog;
    lastDirectory = dir.path().string();
    gui.Frame(2);
  }
  void TearDown() override { fileDialogFunction = previousDialog; }

  std::string Title() const { return WindowTitle(session, ProjectHasUnsavedChanges()); }

  TempDir dir;
  FileDialogFunction previousDialog = nullptr;
};
}  // namespace

TEST_F(MainMenuTest, SaveAsksOnceThenWritesTheCurrentFileAndTheTitleFollows) {
  EXPECT_EQ(Title(), "untitled - Tessellary");
  Choose({"ADD SPRITE"});
  EXPECT_EQ(Title(), "untitled* - Tessellary");

  dialog.answer = dir.File("level");
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_S);
  EXPECT_EQ(dialog.filters, &kSaveProjectFilters);
  EXPECT_EQ(Title(), "level.krv - Tessellary");
  EXPECT_EQ(ReadFile(dir.File("level.krv")), SerializeProject(project));

  Choose({"ADD SPRITE"});
  EXPECT_EQ(Title(), "level.krv* - Tessellary");
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(Title(), "level.krv - Tessellary") << "undone back to the saved state is not unsaved";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiMod_Shift | ImGuiKey_Z);
  EXPECT_EQ(sprites().size(), 3u) << "Ctrl+Shift+Z redoes";
  sprites()[1].colour = 5;
  gui.Frame();
  spriteStudio.selectedSprite = 2;
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(spriteStudio.selectedSprite * 100 + sprites()[1].colour, 100 + kNewSpriteColour)
      << "an undo shows the sprite it changed";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Y);
  Choose({"File", "Save Project"});
  EXPECT_EQ(dialog.calls, 1) << "the current file is written without a dialog";
  EXPECT_EQ(ReadFile(dir.File("level.krv")), SerializeProject(project));
  EXPECT_EQ(Title(), "level.krv - Tessellary");

  dialog.answer = dir.File("copy");
  Choose({"File", "Save Project As..."});
  EXPECT_EQ(dialog.calls, 2);
  EXPECT_EQ(Title(), "copy.krv - Tessellary");
  EXPECT_EQ(session.recentFiles, (std::vector<std::string>{dir.File("copy.krv"), dir.File("level.krv")}));
}

TEST_F(MainMenuTest, RegressionQuickTapsAndMenusTakeTheirKeys) {
  dialog.answer = dir.File("level");
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_S);
  // A rename ended with Return and a Ctrl+S tap arriving before the next frame.
  gui.ClickItem("##Spritesetrename");
  gui.TypeText("Ship");
  gui.TapKey(ImGuiKey_Enter);
  gui.TapKey(ImGuiMod_Ctrl | ImGuiKey_S);
  gui.Frame(4);
  EXPECT_EQ(Title(), "level.krv - Tessellary") << "the save after the rename was dropped";
  EXPECT_EQ(ReadFile(dir.File("level.krv")), SerializeProject(project));
  for (ImGuiKeyChord chord : {ImGuiMod_Ctrl | ImGuiKey_Z, ImGuiMod_Ctrl | ImGuiKey_Y, ImGuiMod_Ctrl | ImGuiKey_Z}) {
    gui.TapKey(chord);
    gui.Frame(3);
  }
  EXPECT_STREQ(sprites()[0].name, "Sprite 0");

  gui.ClickItem("File");
  gui.PressKey(ImGuiKey_Escape);
  EXPECT_FALSE(gui.HasItem("Save Project")) << "Escape closes an open menu";
  gui.ClickItem("Edit");
  EXPECT_TRUE(gui.HasItem("Redo rename")) << "the next click is not spent closing the last menu";
}

TEST_F(MainMenuTest, SavesAndExportsAppendTheirExtensionByTheirOwnRule) {
  const struct {
    std::initializer_list<const char*> menu;
    const FileFilters* filters;
    const char* typed;
    const char* written;
  } cases[] = {
      {{"File", "Save Project As..."}, &kSaveProjectFilters, "level", "level.krv"},
      {{"File", "Save Project As..."}, &kSaveProjectFilters, "level.KRV", "level.KRV.krv"},
      {{"File", "Save Project As..."}, &kSaveProjectFilters, "exact.krv", "exact.krv"},
      {{"File", "Export", "Assembly (.asm)"}, &kAssemblyFilters, "tiles", "tiles.asm"},
      {{"File", "Export", "BASIC (.bas)"}, &kBasicFilters, "TILES.BAS", "TILES.BAS"},
      {{"File", "Export", "Sprite Attributes..."}, &kSpriteAttributeFilters, "sat", "sat.asm"},
      {{"File", "Export", "Binary Tables..."}, &kFolderFilters, "any name", "Tile_Set_1.pat"},  // into its folder
      {{"File", "Export", "SCREEN 2 Files..."}, &kFolderFilters, "sub", "Name_Table_1.sc2"},
      {{"File", "Export", "C Header (.h)"}, &kCHeaderFilters, "gfx", "gfx.h"},
      {{"File", "Export", "TI-99/4A (.a99)"}, &kTiFilters, "ti", "ti.a99"},
  };
  for (const auto& c : cases) {
    dialog.answer = dir.File(c.typed);
    Choose(c.menu);
    EXPECT_EQ(dialog.filters, c.filters) << c.typed;
    EXPECT_TRUE(std::filesystem::exists(dir.File(c.written))) << c.typed;
    if (gui.HasItem("Not Now")) Choose({c.filters == &kTiFilters ? "Keep" : "Not Now"});
  }
  ASSERT_EQ(project.exportTargets.size(), 1u) << "one export kept as a target";
  EXPECT_EQ(project.exportTargets[0].path, "ti.a99") << "relative to the project file (saved above) beside it";
  EXPECT_FALSE(std::filesystem::exists(dir.File("level")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("TILES.BAS.bas")));
  EXPECT_NE(ReadFile(dir.File("TILES.BAS")).find("\nsprite_patterns:\n   DATA BYTE $00,"), std::string::npos);
  EXPECT_TRUE(session.errorMessage.empty());
}

TEST_F(MainMenuTest, UnsavedChangesAreAskedAboutBeforeNewAndExit) {
  Choose({"ADD SPRITE"});
  MarkSaved(history);
  Choose({"File", "New"});
  EXPECT_EQ(sprites().size() * 10 + gui.HasItem("Don't Save"), 10u) << "nothing unsaved: nothing asked";

  Choose({"ADD SPRITE"});
  Choose({"File", "Exit"});
  ASSERT_TRUE(gui.HasItem("Don't Save"));
  Choose({"Cancel"});
  EXPECT_TRUE(gui.running && sprites().size() == 2);

  Choose({"File", "New"});
  EXPECT_FALSE(gui.HasItem("Yes")) << "the question replaces New's own";
  Choose({"Don't Save"});
  EXPECT_EQ(sprites().size(), 1u);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(sprites().size(), 2u) << "New is undoable";

  dialog.answer = "";  // Save with no current file asks for a path; cancelling keeps the editor open
  Choose({"File", "Exit", "Save"});
  EXPECT_EQ(dialog.calls, 1);
  EXPECT_TRUE(gui.running);

  Choose({"File", "Exit"});
  gui.PressKey(ImGuiKey_Escape);
  EXPECT_TRUE(gui.running) << "Escape cancels";
  Choose({"File", "Exit", "Don't Save"});
  EXPECT_FALSE(gui.running);
}

TEST_F(MainMenuTest, LoadOpensOnlyKrvFilesRemembersThemAndReportsFailures) {
  SKIP_UNDER_WINDOWS("two names that differ only in letter case");
  std::filesystem::create_directory(dir.File("scenes"));
  const std::string upper = dir.File("scenes/scene.KRV");
  sprites()[0].colour = 5;
  ASSERT_EQ(SaveProject(upper), FileResult::Ok);
  ResetEditor();

  dialog.answer = upper;
  Choose({"File", "Load Project..."});
  EXPECT_EQ(dialog.filters, &kLoadProjectFilters);
  EXPECT_FALSE(dialog.save) << "a load asks for a file that exists";
  EXPECT_EQ(sprites()[0].colour, kNewSpriteColour) << "a .KRV file is not loaded";
  EXPECT_EQ(lastDirectory, dir.File("scenes"));

  const std::string lower = dir.File("scenes/scene.krv");
  std::filesystem::copy_file(upper, lower);
  dialog.answer = std::filesystem::relative(lower).string();  // as `tessellary scenes/scene.krv` names it
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_O);
  EXPECT_EQ(sprites()[0].colour, 5);
  EXPECT_EQ(Title(), "scene.krv - Tessellary");
  EXPECT_FALSE(CanUndo(history)) << "a load starts a fresh history";
  EXPECT_EQ(session.recentFiles, std::vector<std::string>{lower}) << "stored absolute";

  WriteFile(lower, std::string("KRV!\1\0\0\0", 8));
  Choose({"File", "Recent", lower.c_str()});
  EXPECT_EQ(sprites()[0].colour, 5);
  ASSERT_TRUE(gui.HasItem("OK"));
  EXPECT_NE(session.errorMessage.find("scene.krv\":\nthe file is truncated or corrupt"), std::string::npos)
      << session.errorMessage;
  EXPECT_EQ(session.recentFiles, std::vector<std::string>{lower}) << "a damaged recent file stays listed";
  gui.PressKey(ImGuiKey_Enter);  // closes the error, or the menu below cannot be reached

  // A recent file that has gone is removed when clicked.
  std::filesystem::remove(lower);
  Choose({"File", "Recent", lower.c_str()});
  EXPECT_TRUE(session.recentFiles.empty());

  dialog.answer = dir.File("no such folder/level");
  Choose({"File", "Save Project As..."});
  EXPECT_NE(session.errorMessage.find("its folder does not exist"), std::string::npos);
  EXPECT_EQ(Title(), "scene.krv - Tessellary") << "a failed save keeps the current file";
}

TEST_F(MainMenuTest, APictureImportsThroughItsWindowAsOneUndoableStepAndABadOneIsRefused) {
  IndexedImage screen{256, 192, std::vector<uint8_t>(256 * 192, 6)};
  for (int x = 0; x < 256; ++x) screen.pixels[100 * 256 + x] = "\x06\x0F\x04"[x % 3];  // three colours a row
  WriteFile(dir.File("title.png"), EncodePng(screen, 1));
  WriteFile(dir.File("notes.png"), "not a picture");
  dialog.answer = dir.File("title.png");
  const std::size_t steps = history.steps.size();
  Choose({"File", "Import", "PNG Image..."});
  EXPECT_FALSE(dialog.save) << "an import asks for a file that exists";
  ASSERT_TRUE(importPicture.open);
  EXPECT_EQ(importPicture.figures.substr(0, 39), "Import will add this 256 x 192 screen: ") << "not yet imported";
  EXPECT_NE(importPicture.figures.find("32 rows with more than two colours"), std::string::npos)
      << importPicture.figures;
  const std::vector<uint8_t> plain = importPicture.result.pixels;
  Choose({"Ordered"});
  EXPECT_TRUE(importPicture.result.pixels != plain) << "a change of mode shows at once";
  Choose({"Cancel"});
  EXPECT_EQ(Names(nameTables), "Name Table 1|") << "Cancel changes nothing";
  EXPECT_EQ(history.steps.size(), steps);
  Choose({"File", "Import", "PNG Image..."});
  Choose({"Import"});
  ASSERT_EQ(Names(nameTables) + std::to_string(tileSets.size()), "title|3") << "a new project's defaults make way";
  EXPECT_FALSE(importPicture.open);
  Choose({"File", "Import", "PNG Image...", "Import"});
  ASSERT_EQ(Names(nameTables), "title|title 2|") << "told apart by their names";
  EXPECT_EQ(tableStudio.currentNameTable * 10 + tileStudio.currentTileSet, 13) << "the new records are current";
  EXPECT_EQ(UndoName(history), "import PNG");
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(nameTables.size() * 10 + tileSets.size(), 13u);

  WriteFile(dir.File("sheet.png"), EncodePng(IndexedImage{128, 64, std::vector<uint8_t>(128 * 64, 6)}, 1));
  dialog.answer = dir.File("sheet.png");
  Choose({"File", "Import", "PNG Image...", "One tile set for the whole screen"});
  EXPECT_FALSE(importPicture.options.oneSet) << "a tile sheet takes no screen options";
  Choose({"Cancel"});

  dialog.answer = dir.File("notes.png");
  Choose({"File", "Import", "PNG Image..."});
  EXPECT_NE(importPicture.figures.find("not a PNG"), std::string::npos) << importPicture.figures;
  EXPECT_FALSE(importPicture.usable) << "the window says why, and there is nothing to import";
  Choose({"Cancel"});

  // A SCREEN 2 file, as the export writes it, the same way; a damaged one is refused.
  WriteFile(dir.File("title.sc2"), ScreenFiles(project, SelectAll(project, kAllTables))[0].bytes);
  WriteFile(dir.File("cut.sc2"), ReadFile(dir.File("title.sc2")).substr(0, 9000));
  dialog.answer = dir.File("title.sc2");
  Choose({"File", "Import", "Screen File (SCREEN 0-3)..."});
  EXPECT_EQ(Names(nameTables), "title|title|");
  EXPECT_EQ(UndoName(history), "import screen file");
  dialog.answer = dir.File("cut.sc2");
  Choose({"File", "Import", "Screen File (SCREEN 0-3)..."});
  EXPECT_NE(session.errorMessage.find("this one 9000"), std::string::npos) << session.errorMessage;
  EXPECT_EQ(nameTables.size(), 2u);
}

TEST_F(MainMenuTest, ASpriteSheetImportsThroughItsWindowAsOneUndoableStep) {
  IndexedImage sheet{64, 16, std::vector<uint8_t>(64 * 16, 0)};  // a 32 x 16 frame of two colours, an empty one
  for (int x = 0; x < 32; ++x) sheet.pixels[5 * 64 + x] = 8, sheet.pixels[9 * 64 + x] = 15;
  WriteFile(dir.File("walk.png"), EncodePng(sheet, 1));
  dialog.answer = dir.File("walk.png");
  Choose({"File", "Import", "Sprite Sheet..."});
  ASSERT_TRUE(importSheet.open);
  EXPECT_EQ(importSheet.guessed, "Cells of 32 x 16 fit the gaps between the frames.");
  EXPECT_EQ(importSheet.figures,
            "Import will add 1 metasprite from frames of 32 x 16: 2 sprites for 4 parts, "
            "at most 4 on a line; 1 row is an animation strip")
      << "one frame of two cells alike, the empty cell skipped";
  EXPECT_EQ(importSheet.result.width * 100 + importSheet.result.height, 6416) << "the sheet's grid, as written back";
  const ImVec2 sheetCentre = gui.ItemCenter("##source");  // drawn twice its size
  gui.Click(ImVec2(sheetCentre.x - 64 + 7, sheetCentre.y - 16 + 11));
  EXPECT_TRUE(importSheet.options.keyed && importSheet.options.key == 0xFC5554) << "medium red";
  EXPECT_NE(importSheet.figures.find("1 sprite for 2 parts"), std::string::npos) << importSheet.figures;
  Choose({"Import##sheet"});
  ASSERT_EQ(Names(project.metasprites), "walk 1|");
  EXPECT_EQ(project.metasprites[0].parts.size(), 2u);
  EXPECT_EQ(spriteStudio.currentMetasprite, 0);
  EXPECT_TRUE(project.strips.metasprite[0][0] && project.strips.active[0][0] && project.strips.cells[0][0] == 0)
      << "the row's frame plays in the first strip";
  EXPECT_EQ(UndoName(history), "import sprite sheet");
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_TRUE(project.metasprites.empty());
}

TEST(Notice, FadesAndGoesAfterItsSeconds) {
  Notice shown{"Exported", kNoticeSeconds};
  EXPECT_TRUE(AgeNotice(shown, kNoticeSeconds - 0.5f) && !AgeNotice(shown, 1) && shown.text.empty());
}

TEST_F(MainMenuTest, AnUndoShowsTheNameTableAndTheMapItChanged) {
  nameTables.resize(3);
  project.maps = {DefaultMap(), DefaultMap()};
  gui.Frame(2);
  nameTables[1].cells[5] = 9, project.maps[1].cells[7] = 0;
  project.maps[1].metatiles.resize(2), project.maps[1].cells[7] = 1;
  gui.Frame(2);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(tableStudio.currentNameTable * 10 + mapStudio.currentMap, 11);
}

TEST_F(MainMenuTest, ANoticeGoesAtAClickOnItAndNowhereElse) {
  ShowNotice("Exported 3 files");
  gui.Frame(2);
  gui.Click(gui.At(900, 500));
  EXPECT_EQ(notice.text, "Exported 3 files");
  gui.Click(ImGui::FindWindowByName("##Notice")->Rect().GetCenter());
  EXPECT_EQ(notice.text, "");
}

TEST_F(MainMenuTest, ExportAgainWritesTheTargetsAsTheCommandLineDoes) {
  MakeRichProject();
  StartHistory(history, project, tileStudio.canvas);
  dialog.answer = dir.File("art/level");
  std::filesystem::create_directory(dir.File("art"));
  Choose({"File", "Export..."});
  Choose({"Add"});
  ASSERT_EQ(project.exportTargets.size(), 1u);
  EXPECT_EQ(project.exportTargets[0].path, "gfx.asm");
  Choose({"Pletter"});
  EXPECT_EQ(project.exportTargets[0].compression, Compression::Pletter);
  EXPECT_EQ(UndoName(history), "edit export target");
  Choose({"ADD SPRITE"});
  EXPECT_EQ(UndoName(history), "ADD SPRITE") << "the open window names no edit it did not make";
  exportWindow.selected = -1;
  RemoveExportTarget(exportWindow, project.exportTargets);  // nothing chosen: nothing goes
  EXPECT_EQ(project.exportTargets.size(), 1u);
  Choose({"Add"});
  EXPECT_EQ(project.exportTargets[1].path, "gfx-2.asm") << "a new target gets a path of its own";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(exportWindow.selected, 0) << "the chosen target went with the undo: the last one left is chosen";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(project.exportTargets[0].compression, Compression::None) << "choosing the packing is an undoable step";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_TRUE(project.exportTargets.empty()) << "adding a target is an undoable step";
  ExportTarget c = DefaultExportTarget(ExportFormat::CHeader), msx = DefaultExportTarget(ExportFormat::MsxBasic);
  ExportTarget png = DefaultExportTarget(ExportFormat::Png);
  c.path = "gfx/level.h", c.cExtern = true, msx.path = "level.bas", png.path = "pictures";
  msx.compression = Compression::Pletter;
  project.exportTargets = {c, msx, png};
  ShowNotice("an earlier result"), gui.Frame();
  gui.Click(ImGui::FindWindowByName("Export")->TitleBarRect().GetCenter());  // the window comes to the front
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_S);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_E);
  ASSERT_TRUE(session.errorMessage.empty()) << session.errorMessage;
  EXPECT_NE(notice.text.find("\n  packed Set_0_patterns: "), std::string::npos) << notice.text;
  EXPECT_GT(ImGui::FindWindowDisplayIndex(ImGui::FindWindowByName("##Notice")),
            ImGui::FindWindowDisplayIndex(ImGui::FindWindowByName("Export")))
      << "the result shows in front of the Export window";
  const std::vector<std::string> files = {"gfx/level.h", "gfx/level.c", "level.bas", "pictures/Screen.png",
                                          "pictures/Set_2.sheet.png"};
  std::vector<std::string> written;
  for (const std::string& file : files) written.push_back(ReadFile(dir.File("art/" + file)));
  std::filesystem::remove_all(dir.File("art/gfx"));
  std::filesystem::remove_all(dir.File("art/pictures"));
  std::filesystem::remove(dir.File("art/level.bas"));
  const std::string command = std::string(TESSELLARY_EXPORT) + " " + dir.File("art/level.krv") + " > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_FALSE(written[i].empty()) << files[i];
    EXPECT_TRUE(ReadFile(dir.File("art/" + files[i])) == written[i]) << files[i];
  }

  project.exportTargets = {c, msx, c};
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_E);
  EXPECT_EQ(session.errorMessage,
            "Export Again wrote nothing: targets 1 and 3 both write \"gfx/level.h\": give each its own path in File > "
            "Export....");
}
