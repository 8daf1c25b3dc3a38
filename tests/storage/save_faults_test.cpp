// A disk that fills up while saving, in a child process so that its file size
// limit cannot touch the test runner.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "storage/file_io.h"
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

TEST(SaveFaults, AFileIsOnlyLeftAsItIsWhenItHoldsExactlyTheNewBytes) {
  TempDir dir;
  const std::string path = dir.File("Set.pat");
  for (auto [before, after] : {std::pair{"abcdef", "abc"}, {"abc", "abcdef"}, {"abc", "abd"}, {"x", ""}}) {
    WriteFile(path, before);
    ASSERT_EQ(ReplaceFile(path, after, false), FileResult::Ok);
    EXPECT_EQ(ReadFile(path), after) << before;
  }
  struct stat first, again;
  ASSERT_EQ(stat(path.c_str(), &first), 0);
  ASSERT_EQ(ReplaceFile(path, "", false), FileResult::Ok);
  ASSERT_EQ(stat(path.c_str(), &again), 0);
  EXPECT_EQ(first.st_ino, again.st_ino) << "a file already holding the bytes is not written again";
}
