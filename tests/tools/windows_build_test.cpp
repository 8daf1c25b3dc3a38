// The Windows build's command line, run under Wine, writes every format byte
// for byte as this build's does, names in any script included. Needs the
// Windows build (scripts/build-windows) named by TESSELLARY_WINDOWS_BUILD.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {
// Runs `program` (under Wine when `wine`) in `folder` with `arguments`; its exit status.
int RunIn(const std::string& folder, const std::string& program, const std::string& arguments,
          const std::string& wine) {
  const std::string command = "cd '" + folder + "' && " + (wine.empty() ? "" : wine + " ") + "'" + program + "' " +
                              arguments + " > out.txt 2> err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every file under `root`, by its path within it.
std::map<std::string, std::string> Files(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file() && entry.path().filename() != "out.txt" && entry.path().filename() != "err.txt")
      files[fs::relative(entry.path(), root).u8string()] = ReadFile(entry.path().u8string());
  return files;
}
}  // namespace

TEST(WindowsBuild, TheCommandLineWritesEveryFormatAsTheLinuxOneDoes) {
  const char* build = std::getenv("TESSELLARY_WINDOWS_BUILD");
  if (!build || !*build) GTEST_SKIP() << "no Windows build named: scripts/build-windows, then TESSELLARY_WINDOWS_BUILD=<folder>";
  TempDir dir;
  // The test run's Wine prefix when it has one; UTF-8 so that Wine hands the names on whole.
  const char* prefix = std::getenv("WINEPREFIX");
  const std::string wine =
      "LC_ALL=C.UTF-8 WINEDEBUG=-all WINEPREFIX='" + (prefix ? std::string(prefix) : dir.File("wine")) + "' wine";
  MakeWalkProject(2);
  project.metasprites = {Metasprite{"Hero", 32, 16, {{3, 16, 0}, {1, 0, -2}}}};
  ASSERT_EQ(SaveProject(dir.File("Écran 1.krv")), FileResult::Ok);
  const std::string project = "'../Écran 1.krv'";
  const std::string runs[] = {
      project + " --asm a.asm --c c.h --basic b.bas --msx-basic m.bas --ti t.a99 --sat s.asm --bin bin --sc2 sc2"
                " --png png --scale 2 --maps maps",
      project + " --asm z.asm --asm-dialect z80asm --bin binz --compress zx0",
      project + " --asm sd.s --asm-dialect sdas --c-extern sd.h --area _GFX --sc2 sc2p --compress pletter",
      project + " --c h.h --c-source h.c --only Second 'Set 1' --tables patterns,colours,names",
      project + " --rom msx.rom --screen all",
      project + " --rom sg.rom --machine sg1000 --play-rom walk.rom --map 'Held out'",
      project + " --sprite-sheet 'ドット.png' --png 'フォルダ/絵'",
      project + " --asm 'フォルダ/Écran.asm'",
      "--import-png 'ドット.png' --into 'ドット.krv'",
  };
  for (const char* side : {"linux", "windows"}) fs::create_directory(dir.File(side));
  for (const std::string& arguments : runs) {
    SCOPED_TRACE(arguments);
    ASSERT_EQ(RunIn(dir.File("linux"), TESSELLARY_EXPORT, arguments, ""), 0) << ReadFile(dir.File("linux/err.txt"));
    ASSERT_EQ(RunIn(dir.File("windows"), std::string(build) + "/tessellary-export.exe", arguments, wine), 0)
        << ReadFile(dir.File("windows/err.txt"));
  }
  const std::map<std::string, std::string> here = Files(dir.File("linux")), there = Files(dir.File("windows"));
  EXPECT_GT(here.size(), 40u);
  for (const auto& [name, bytes] : here) {
    const auto other = there.find(name);
    EXPECT_TRUE(other != there.end() && other->second == bytes) << name;
  }
  EXPECT_EQ(there.size(), here.size());
}
