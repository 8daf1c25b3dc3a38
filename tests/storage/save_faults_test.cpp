// Failures the operating system causes: a disk that fills up while saving, and
// a crafted file that asks for more memory than any project could need. Each
// runs in a child process so that its limits cannot touch the test runner.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "storage/project_file.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
// Runs `body` in a child process and returns its exit status (-1 when it did not exit normally).
template <typename Body>
int InChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

long VirtualMemoryBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  statm >> pages;
  return pages * sysconf(_SC_PAGESIZE);
}
}  // namespace

TEST(SaveFaults, DiskFullHalfwayKeepsThePreviousFile) {
  TempDir dir;
  const std::string target = dir.File("level.krv");
  ResetProject();
  ASSERT_EQ(SaveProject(target), FileResult::Ok);
  const std::string previous = ReadFile(target);
  tileSets[0].pixels[200][7][7] = 1;  // an edit that the failed save must not half-write

  const int status = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead of killing us
    const rlimit limit{20000, 20000};
    setrlimit(RLIMIT_FSIZE, &limit);
    return SaveProject(target) == FileResult::CannotWrite ? 0 : 1;
  });
  EXPECT_EQ(status, 0) << "the save must report that it could not write";
  EXPECT_EQ(ReadFile(target), previous);
  EXPECT_FALSE(std::filesystem::exists(target + ".saving"));
}

TEST(LoadFaults, AFileClaimingBillionsOfSpritesAllocatesNothingLarge) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows; it catches huge allocations "
                  "itself";
#else
  std::string image = "KRV!";
  image += std::string("\x01\x00\x00\x00", 4);
  image += std::string("\xFF\xFF\xFF\xEE", 4);  // about four billion sprites
  image.resize(100, '\x55');
  ResetProject();
  const std::string before = SerializeProject(project);
  const int status = InChild([&] {
    const long headroom = 16L << 20;
    const rlimit limit{static_cast<rlim_t>(VirtualMemoryBytes() + headroom),
                       static_cast<rlim_t>(VirtualMemoryBytes() + headroom)};
    setrlimit(RLIMIT_AS, &limit);
    try {
      const FileResult result = LoadProjectImage(reinterpret_cast<const uint8_t*>(image.data()), image.size());
      return result == FileResult::TruncatedOrCorrupt ? 0 : 1;
    } catch (const std::bad_alloc&) {
      return 2;
    }
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(LoadProjectImage(reinterpret_cast<const uint8_t*>(image.data()), image.size()),
            FileResult::TruncatedOrCorrupt);
  EXPECT_EQ(SerializeProject(project), before);
#endif
}
