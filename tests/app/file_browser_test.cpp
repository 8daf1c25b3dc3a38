#include "app/file_browser.h"

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

TEST(FileBrowser, OpenAcceptsAnExistingFileAndSaveAsksBeforeReplacingOne) {
  TempDir dir;
  Populate(dir);
  const struct {
    const FileFilters& filters;
    const char* typed;
    const char* result;  // the message, or "= " and the chosen file, after "? " when asked to replace
  } cases[] = {
      {kLoadProjectFilters, "", "Type a file name."},
      {kLoadProjectFilters, "ghost.krv", "No such file."},
      {kLoadProjectFilters, "levels", ""},
      {kLoadProjectFilters, "levels/one.krv", "= one.krv"},
      {kSaveProjectFilters, "missing folder/new.krv", "No such folder."},
      {kSaveProjectFilters, "b", "? = b.krv"},  // regression: typed without its extension it was replaced silently
      {kAssemblyFilters, "fresh", "= fresh.asm"},
  };
  for (const auto& c : cases) {
    FileBrowserState state = OpenFileBrowser(c.filters, dir.path().string(), &c.filters != &kLoadProjectFilters);
    PickFile(state, c.typed);
    ConfirmFileName(state);
    std::string result = state.askOverwrite ? "? " : "";
    if (state.askOverwrite) AnswerOverwrite(state, true);
    result +=
        state.outcome == BrowserOutcome::Chosen ? "= " + fs::path(state.chosenPath).filename().string() : state.message;
    EXPECT_EQ(result, c.result) << c.typed;
  }
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
  EXPECT_STREQ(state.fileName, "b.krv");
  gui.ClickItem("Open");
  EXPECT_EQ(state.outcome, BrowserOutcome::Chosen);
  EXPECT_EQ(fs::current_path(), workingDirectory);

  state = OpenFileBrowser(kSaveProjectFilters, dir.path().string(), true);
  gui.Frame(2);
  gui.ClickItem("File name");
  gui.TypeText("typed.krv");
  gui.ClickItem("Save");
  EXPECT_EQ(state.outcome, BrowserOutcome::Chosen);
  EXPECT_EQ(fs::path(state.chosenPath).filename(), "typed.krv");

  // Regression: Escape in "Replace file?" closed the whole browser.
  state = OpenFileBrowser(kSaveProjectFilters, dir.path().string(), true);
  PickFile(state, "b");
  ConfirmFileName(state);
  gui.Frame(2);
  gui.PressKey(ImGuiKey_Escape);
  gui.Frame(2);
  EXPECT_FALSE(state.askOverwrite);
  EXPECT_EQ(state.outcome, BrowserOutcome::Pending);
  gui.PressKey(ImGuiKey_Escape);
  EXPECT_EQ(state.outcome, BrowserOutcome::Cancelled);
  EXPECT_TRUE(state.chosenPath.empty());
}
