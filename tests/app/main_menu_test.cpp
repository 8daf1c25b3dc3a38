#include "app/main_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/file_dialog.h"
#include "model/project.h"
#include "storage/project_file.h"
#include "support/gui_driver.h"
#include "support/temp_dir.h"

namespace {
// The user's answers to the file dialog, and what the dialog was asked.
struct DialogStub {
  std::string answer;
  std::string initialDirectory;
  const FileFilters* filters = nullptr;
  bool save = false;
  int calls = 0;
};
DialogStub dialog;

std::string AnswerDialog(const FileFilters& filters, const std::string& initialDirectory, bool save) {
  ++dialog.calls;
  dialog.filters = &filters;
  dialog.initialDirectory = initialDirectory;
  dialog.save = save;
  return dialog.answer;
}

class MainMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = DialogStub{};
    previousDialog = fileDialogFunction;
    fileDialogFunction = AnswerDialog;
    mainMenu = MainMenuState{};
    lastDirectory = dir.path().string();
    ResetProject();
    gui.Frame(2);
  }
  void TearDown() override {
    fileDialogFunction = previousDialog;
    mainMenu = MainMenuState{};
    ResetProject();
  }

  void ChooseMenu(std::initializer_list<const char*> path) {
    for (const char* label : path) gui.ClickItem(label);
  }

  TempDir dir;
  GuiDriver gui;
  FileDialogFunction previousDialog = nullptr;
};
}  // namespace

TEST_F(MainMenuTest, NewAsksFirstThenYesResetsAndCancelKeeps) {
  sprites().push_back(DefaultSprite());
  tileSets[0].pixels[0][0][0] = 1;

  ChooseMenu({"File", "New"});
  ASSERT_TRUE(mainMenu.newProjectRequested);
  gui.Frame(2);
  gui.ClickItem("Cancel");
  EXPECT_FALSE(mainMenu.newProjectRequested);
  EXPECT_EQ(sprites().size(), 2u);
  EXPECT_EQ(tileSets[0].pixels[0][0][0], 1);

  ChooseMenu({"File", "New"});
  gui.Frame(2);
  gui.ClickItem("Yes");
  EXPECT_FALSE(mainMenu.newProjectRequested);
  EXPECT_EQ(sprites().size(), 1u);
  EXPECT_EQ(tileSets[0].pixels[0][0][0], 0);
  gui.Frame(2);
  EXPECT_FALSE(gui.HasItem("Yes"));
}

TEST_F(MainMenuTest, SaveAppendsTheProjectExtensionUnlessExact) {
  const std::pair<const char*, const char*> cases[] = {
      {"level", "level.krv"}, {"level.KRV", "level.KRV.krv"}, {"level.krv", "level.krv"}};
  for (const auto& [typed, written] : cases) {
    dialog.answer = dir.File(typed);
    ChooseMenu({"File", "Save Project"});
    EXPECT_TRUE(dialog.save);
    EXPECT_EQ(dialog.filters, &kSaveProjectFilters);
    EXPECT_TRUE(std::filesystem::exists(dir.File(written))) << typed;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("level")));
  EXPECT_EQ(lastDirectory, dir.path().string());
  EXPECT_TRUE(mainMenu.errorMessage.empty());
}

TEST_F(MainMenuTest, LoadOpensOnlyKrvFilesButRemembersTheirFolder) {
  std::filesystem::create_directory(dir.File("scenes"));
  const std::string upper = dir.File("scenes/scene.KRV");
  sprites()[0].colour = 5;
  ASSERT_EQ(SaveProject(upper), FileResult::Ok);
  ResetProject();

  dialog.answer = upper;
  ChooseMenu({"File", "Load Project..."});
  EXPECT_FALSE(dialog.save);
  EXPECT_EQ(dialog.filters, &kLoadProjectFilters);
  EXPECT_EQ(sprites()[0].colour, 0) << "a .KRV file is not loaded";
  EXPECT_EQ(lastDirectory, dir.File("scenes"));
  EXPECT_TRUE(mainMenu.errorMessage.empty());

  dialog.answer = "";
  ChooseMenu({"File", "Load Project..."});
  EXPECT_EQ(dialog.initialDirectory, dir.File("scenes"));
  EXPECT_EQ(lastDirectory, dir.File("scenes")) << "a cancelled dialog changes nothing";

  std::filesystem::copy_file(upper, dir.File("scenes/scene.krv"));
  dialog.answer = dir.File("scenes/scene.krv");
  ChooseMenu({"File", "Load Project..."});
  EXPECT_EQ(sprites()[0].colour, 5);
}

TEST_F(MainMenuTest, FailedLoadShowsWhyAndKeepsTheProject) {
  std::ofstream(dir.File("broken.krv"), std::ios::binary) << "KRV!\1\0\0\0";
  sprites()[0].colour = 3;
  dialog.answer = dir.File("broken.krv");
  ChooseMenu({"File", "Load Project..."});
  EXPECT_EQ(sprites()[0].colour, 3);
  gui.Frame(2);
  ASSERT_TRUE(gui.HasItem("OK"));
  EXPECT_NE(mainMenu.errorMessage.find("broken.krv"), std::string::npos);
  EXPECT_NE(mainMenu.errorMessage.find("truncated or corrupt"), std::string::npos);
  gui.ClickItem("OK");
  EXPECT_TRUE(mainMenu.errorMessage.empty());
  gui.Frame(2);
  EXPECT_FALSE(gui.HasItem("OK"));

  dialog.answer = dir.File("no such folder/level");
  ChooseMenu({"File", "Save Project"});
  EXPECT_NE(mainMenu.errorMessage.find("cannot be written"), std::string::npos);
}

TEST_F(MainMenuTest, ExportsAppendTheirExtensionInAnyLetterCase) {
  dialog.answer = dir.File("tiles");
  ChooseMenu({"File", "Save As...", "Assembly (.asm)"});
  EXPECT_EQ(dialog.filters, &kAssemblyFilters);
  EXPECT_TRUE(std::filesystem::exists(dir.File("tiles.asm")));

  dialog.answer = dir.File("TILES.BAS");
  ChooseMenu({"File", "Save As...", "BASIC (.bas)"});
  EXPECT_EQ(dialog.filters, &kBasicFilters);
  EXPECT_TRUE(std::filesystem::exists(dir.File("TILES.BAS")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("TILES.BAS.bas")));
  std::ifstream basic(dir.File("TILES.BAS"));
  std::string first, second;
  std::getline(basic, first);
  std::getline(basic, second);
  EXPECT_EQ(first, "Sprite_0:");
  EXPECT_EQ(second.substr(0, 17), "   DATA BYTE $00,");
}

TEST_F(MainMenuTest, ExitEndsTheLoop) {
  ChooseMenu({"File", "Exit"});
  EXPECT_FALSE(gui.running);
}
