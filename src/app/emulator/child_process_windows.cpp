// Children through CreateProcess and anonymous pipes, polled with
// PeekNamedPipe so that the editor never waits on them.
#ifdef _WIN32
#include <windows.h>

#include "app/emulator/child_process.h"
#include "storage/utf8_windows.h"

namespace {
HANDLE AsHandle(intptr_t end) { return reinterpret_cast<HANDLE>(end); }
intptr_t AsEnd(HANDLE handle) { return reinterpret_cast<intptr_t>(handle); }

void CloseEnd(intptr_t& end) {
  if (end != -1) CloseHandle(AsHandle(end));
  end = -1;
}
}  // namespace

bool StartChild(ChildProcess& child, const std::vector<std::string>& arguments, std::string& error) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE inRead, inWrite, outRead, outWrite;
  if (!CreatePipe(&inRead, &inWrite, &inherited, 0)) return error = "no pipe for the program", false;
  if (!CreatePipe(&outRead, &outWrite, &inherited, 0)) {
    CloseHandle(inRead), CloseHandle(inWrite);
    return error = "no pipe for the program", false;
  }
  // Our ends stay ours.
  SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  HANDLE discard = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inRead, startup.hStdOutput = outWrite, startup.hStdError = discard;
  PROCESS_INFORMATION started{};
  std::wstring line = WideFromUtf8(WindowsCommandLine(arguments));
  const bool ok = CreateProcessW(WideFromUtf8(arguments[0]).c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                 nullptr, nullptr, &startup, &started);
  CloseHandle(inRead), CloseHandle(outWrite);
  if (discard != INVALID_HANDLE_VALUE) CloseHandle(discard);
  if (!ok) {
    CloseHandle(inWrite), CloseHandle(outRead);
    return error = "the program could not be started", false;
  }
  CloseHandle(started.hThread);
  // The emulator ends with the editor: a job closed with the editor's last handle ends its processes.
  static const HANDLE job = [] {
    const HANDLE made = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (made) SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return made;
  }();
  if (job) AssignProcessToJobObject(job, started.hProcess);
  child = {static_cast<long>(started.dwProcessId), AsEnd(inWrite), AsEnd(outRead), AsEnd(started.hProcess)};
  return true;
}

bool WriteToChild(ChildProcess& child, const std::string& text) {
  std::size_t written = 0;
  while (child.input != -1 && written < text.size()) {
    DWORD count = 0;
    if (!WriteFile(AsHandle(child.input), text.data() + written, static_cast<DWORD>(text.size() - written), &count,
                   nullptr))
      return false;
    written += count;
  }
  return child.input != -1;
}

bool ReadFromChild(ChildProcess& child, std::string& into, int waitMs) {
  if (child.output == -1) return false;
  DWORD available = 0;
  for (int waited = 0;; ++waited) {
    if (!PeekNamedPipe(AsHandle(child.output), nullptr, 0, nullptr, &available, nullptr)) {
      CloseEnd(child.output);  // its output ended
      return false;
    }
    if (available > 0 || waited >= waitMs) break;
    Sleep(1);
  }
  while (available > 0) {
    char buffer[65536];
    DWORD count = 0;
    if (!ReadFile(AsHandle(child.output), buffer, available < sizeof buffer ? available : sizeof buffer, &count,
                  nullptr)) {
      CloseEnd(child.output);
      return false;
    }
    into.append(buffer, count);
    available -= count;
  }
  return true;
}

bool ChildRunning(ChildProcess& child) {
  if (child.handle == -1) return false;
  if (WaitForSingleObject(AsHandle(child.handle), 0) == WAIT_TIMEOUT) return true;
  CloseEnd(child.handle);
  child.pid = -1;
  CloseEnd(child.input);
  CloseEnd(child.output);
  return false;
}

void StopChild(ChildProcess& child, int graceMs) {
  CloseEnd(child.input);
  if (child.handle != -1 && WaitForSingleObject(AsHandle(child.handle), static_cast<DWORD>(graceMs)) == WAIT_TIMEOUT)
    TerminateProcess(AsHandle(child.handle), 1);
  CloseEnd(child.handle);
  child.pid = -1;
  CloseEnd(child.output);
}
#endif
