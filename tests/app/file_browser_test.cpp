#include "app/dialogs/file_browser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/gui_driver.h"
#include "support/temp_dir.h"

namespace {
namespace fs = std::filesystem;

// A folder with a project, a picture, an upper-case project and a sub-folder.
void Populate(const TempDir& dir) {
  fs::create_directory(dir.File("levels"));
  for (const char* name : {"b.krv", "A.KRV", "notes.txt", "levels/one.krv"}) std::ofstream(dir.File(name)) << "x";
}
}  // namespace

TEST(FileBrowser, ListsFoldersAndFilesOfTheChosenFilterIgnoringLetterCase) {
  EXPECT_EQ(DefaultExtension(kSaveProjectFilters) + "|" + DefaultExtension(kFolderFilters), ".krv|");
  EXPECT_EQ(MatchesPattern("level.krv.bak", "*.krv") || !MatchesPattern("a.asm", "?.asm"), false);
  TempDir dir;
  Populate(dir);
  FileBrowserState state = OpenFileBrowser(kLoadProjectFilters, dir.path().string(), false);
  EXPECT_EQ(state.folders, std::vector<std::string>{"levels"});
  EXPECT_EQ(state.files, (std::vector<std::string>{"A.KRV", "b.krv"}));
  ChooseFilter(state, 1);
  EXPECT_EQ(state.files, (std::vector<std::string>{"A.KRV", "b.krv", "notes.txt"}));
  EXPECT_EQ(fs::path(OpenFileBrowser(kLoadProjectFilters, dir.File("missing"), false).directory), fs::current_path());
}

TEST(FileBrowser, UserPicksTypesAndCancelsWithTheMouseAndKeyboard) {
  TempDir dir;
  Populate(dir);
  const fs::path workingDirectory = fs::current_path();
  GuiDriver gui;
  FileBrowserState state = OpenFileBrowser(kLoadProjectFilters, dir.path().string(), false);
  gui.draw = [&state] { DrawFileBrowser(state); };
  gui.Frame(2);

  gui.ClickItem("[folder] levels");
  EXPECT_EQ(state.files, std::vector<std::string>{"one.krv"});
  gui.ClickItem("Up");
  EXPECT_EQ(fs::path(state.directory), fs::canonical(dir.path()));
  gui.ClickItem("b.krv");
  gui.ClickItem("Open");
  EXPECT_EQ(fs::path(state.chosenPath), fs::canonical(dir.File("b.krv")));
  EXPECT_EQ(fs::current_path(), workingDirectory);

  state = OpenFileBrowser(kSaveProjectFilters, dir.path().string(), true);
  gui.Frame(2);
  gui.ClickItem("File name");
  gui.TypeText("typed.krv");
  gui.ClickItem("Save");
  EXPECT_EQ(fs::path(state.chosenPath).filename(), "typed.krv");

  // Regression: Escape in "Replace file?" closed the whole browser.
  state = OpenFileBrowser(kSaveProjectFilters, dir.path().string(), true);
  PickFile(state, "b");
  ConfirmFileName(state);
  EXPECT_TRUE(state.askOverwrite) << "regression: typed without its extension, b.krv was replaced silently";
  gui.Frame(2);
  gui.PressKey(ImGuiKey_Escape);
  gui.Frame(2);
  EXPECT_TRUE(!state.askOverwrite && state.outcome == BrowserOutcome::Pending);
  gui.PressKey(ImGuiKey_Escape);
  EXPECT_TRUE(state.outcome == BrowserOutcome::Cancelled && state.chosenPath.empty());
}
