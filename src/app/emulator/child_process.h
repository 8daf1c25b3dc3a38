#pragma once
// A program run beside the editor with pipes to its standard input and
// output, which the editor reads without ever waiting unless it asks to.

#include <cstdint>
#include <string>
#include <vector>

// The ends are file descriptors, or on Windows handles.
struct ChildProcess {
  long pid = -1;         // -1: none
  intptr_t input = -1;   // our end of its standard input
  intptr_t output = -1;  // our end of its standard output
  intptr_t handle = -1;  // Windows: the process's handle
};

// The program's path when it is on PATH, else empty.
std::string FindProgram(const std::string& name);

// The command line Windows' CreateProcess takes for `arguments`: each one as
// its C runtime splits them again (quoted where it holds a space, a tab or a
// quote, backslashes doubled only before a quote).
std::string WindowsCommandLine(const std::vector<std::string>& arguments);

// Starts `arguments` (the program first) with its standard error discarded;
// false with `error` set when it cannot be started.
bool StartChild(ChildProcess& child, const std::vector<std::string>& arguments, std::string& error);
// False when the child no longer reads.
bool WriteToChild(ChildProcess& child, const std::string& text);
// Appends what the child has written, waiting up to `waitMs` for something
// when nothing is there; false once its output has ended.
bool ReadFromChild(ChildProcess& child, std::string& into, int waitMs);
// True while the child runs; reaps it once it has ended.
bool ChildRunning(ChildProcess& child);
// Closes its input, gives it `graceMs` to end, then ends it.
void StopChild(ChildProcess& child, int graceMs);
