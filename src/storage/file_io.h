#pragma once
// Whole-file reads and writes. A write to a regular file goes to a temporary
// file beside it that replaces it only once everything is on disk, so a failed
// save never leaves a half-written file behind. A link's target is replaced and
// the link kept; standard output ("-"), pipes, terminals and devices are
// written in place, never replaced.

#include <cstdint>
#include <string>
#include <vector>

enum class FileResult {
  Ok,
  CannotOpen,
  NotProjectFile,
  UnsupportedVersion,
  TruncatedOrCorrupt,
  CannotWrite,
  IsAFolder,
  UnusableName,
  NoSuchFolder,
};

constexpr const char* kStandardOutput = "-";

// The reason in words, for the message shown to the user.
const char* DescribeFileResult(FileResult result);

FileResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& contents);

// False for a path Windows cannot use as a file name: a device's name such as
// CON or LPT1 (with any extension), a name ending in a dot or a space, a
// character it forbids, a name or path longer than it takes. Saves on Windows
// refuse them before anything is written.
bool UsableOnWindows(const std::string& path);

// Text mode turns "\n" into the platform's line end.
FileResult ReplaceFile(const std::string& path, const std::string& contents, bool textMode);
