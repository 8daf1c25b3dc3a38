// Programs the editor starts: the command line Windows gets, and a child's
// output read without waiting (under Wine, through the Windows process API).
#include "app/emulator/child_process.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/emulator/openmsx_link.h"

TEST(ChildProcess, WindowsGetsEachArgumentBackWholeAndAChildIsReadWithoutWaiting) {
  const std::pair<std::vector<std::string>, std::string> lines[] = {
      {{"openmsx", "-cart", "C:\\Program Files\\a.rom"}, "openmsx -cart \"C:\\Program Files\\a.rom\""},
      {{"say \"hi\"", ""}, "\"say \\\"hi\\\"\" \"\""},
      {{"C:\\dir\\", "C:\\my dir\\"}, "C:\\dir\\ \"C:\\my dir\\\\\""},
  };
  for (const auto& [arguments, line] : lines) EXPECT_EQ(WindowsCommandLine(arguments), line);
#ifdef _WIN32
  const std::vector<std::string> echo = {"C:\\windows\\system32\\cmd.exe", "/c", "echo ready"};
#else
  const std::vector<std::string> echo = {"/bin/sh", "-c", "echo ready"};
#endif
  ChildProcess child;
  std::string error, output;
  ASSERT_TRUE(StartChild(child, echo, error)) << error;
  for (int tries = 0; tries < 100 && ReadFromChild(child, output, 50);) ++tries;
  EXPECT_EQ(output.substr(0, 5), "ready");
  StopChild(child, 1000);
  EXPECT_FALSE(ChildRunning(child));
#ifndef _WIN32
  // With openMSX nowhere, starting it fails and says what to install.
  const std::string path = std::getenv("PATH");
  setenv("PATH", "/nowhere", 1);
  OpenMsxLink link;
  EXPECT_FALSE(StartOpenMsx(link, "screen.rom", Machine::Msx1, error));
  EXPECT_EQ(error, kOpenMsxMissing);
  setenv("PATH", path.c_str(), 1);
#endif
}

// The V9938's colours come with C-BIOS's MSX2; every other palette keeps the machine.
TEST(OpenMsxLink, TheMachineFollowsThePaletteWhereOpenMsxHasOne) {
  EXPECT_STREQ(OpenMsxMachine(Machine::Msx1), "C-BIOS_MSX1");
  EXPECT_STREQ(OpenMsxMachine(Machine::Msx1, PaletteId::Tms9929a), "C-BIOS_MSX1");
  EXPECT_STREQ(OpenMsxMachine(Machine::Msx1, PaletteId::V9938), "C-BIOS_MSX2");
  EXPECT_STREQ(OpenMsxMachine(Machine::Sg1000, PaletteId::V9938), "Sega_SG-1000");
}
