// Children through fork, exec and pipes.
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#if defined(__linux__)
#include <sys/prctl.h>
#endif

#include "app/emulator/child_process.h"

namespace {
void CloseEnd(intptr_t& fd) {
  if (fd >= 0) close(static_cast<int>(fd));
  fd = -1;
}
}  // namespace

bool StartChild(ChildProcess& child, const std::vector<std::string>& arguments, std::string& error) {
  // A write to a child that has gone must fail, not end the editor.
  signal(SIGPIPE, SIG_IGN);
  int toChild[2], fromChild[2];
  if (pipe2(toChild, O_CLOEXEC) != 0) return error = "no pipe for the program", false;
  if (pipe2(fromChild, O_CLOEXEC) != 0) {
    close(toChild[0]), close(toChild[1]);
    return error = "no pipe for the program", false;
  }
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
#if defined(__linux__)
  const pid_t parent = getpid();
#endif
  const pid_t pid = fork();
  if (pid == 0) {
#if defined(__linux__)
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // an editor that dies takes its emulator along
    if (getppid() != parent) _exit(127);
#endif
    dup2(toChild[0], 0);
    dup2(fromChild[1], 1);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 2);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(toChild[0]);
  close(fromChild[1]);
  if (pid < 0) {
    close(toChild[1]), close(fromChild[0]);
    return error = "the program could not be started", false;
  }
  fcntl(fromChild[0], F_SETFL, fcntl(fromChild[0], F_GETFL) | O_NONBLOCK);
  child = {pid, toChild[1], fromChild[0], -1};
  return true;
}

bool WriteToChild(ChildProcess& child, const std::string& text) {
  std::size_t written = 0;
  while (child.input >= 0 && written < text.size()) {
    const ssize_t count = write(static_cast<int>(child.input), text.data() + written, text.size() - written);
    if (count < 0) return false;
    written += static_cast<std::size_t>(count);
  }
  return child.input >= 0;
}

bool ReadFromChild(ChildProcess& child, std::string& into, int waitMs) {
  if (child.output < 0) return false;
  pollfd ready{static_cast<int>(child.output), POLLIN, 0};
  if (poll(&ready, 1, waitMs) <= 0) return true;
  char buffer[65536];
  for (;;) {
    const ssize_t count = read(static_cast<int>(child.output), buffer, sizeof buffer);
    if (count > 0) {
      into.append(buffer, static_cast<std::size_t>(count));
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    CloseEnd(child.output);  // its output ended
    return false;
  }
}

bool ChildRunning(ChildProcess& child) {
  if (child.pid < 0) return false;
  int status = 0;
  if (waitpid(static_cast<pid_t>(child.pid), &status, WNOHANG) == 0) return true;
  child.pid = -1;
  CloseEnd(child.input);
  CloseEnd(child.output);
  return false;
}

void StopChild(ChildProcess& child, int graceMs) {
  CloseEnd(child.input);
  for (int waited = 0; waited < graceMs && ChildRunning(child); waited += 10) usleep(10000);
  if (ChildRunning(child)) {
    kill(static_cast<pid_t>(child.pid), SIGKILL);
    waitpid(static_cast<pid_t>(child.pid), nullptr, 0);
  }
  child.pid = -1;
  CloseEnd(child.output);
}
#endif
