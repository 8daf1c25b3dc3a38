#include "app/recovery/process_lock.h"

#ifdef _WIN32
#include <windows.h>

#include "storage/utf8_windows.h"

// A file opened with no sharing is closed by the system when the process dies.
bool TryLockFile(const std::string& path, FileLock& lock) {
  const HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  lock.handle = reinterpret_cast<intptr_t>(file);
  return true;
}

void UnlockFile(FileLock& lock) {
  if (lock.handle != -1) CloseHandle(reinterpret_cast<HANDLE>(lock.handle));
  lock.handle = -1;
}
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// flock belongs to the open file: a second open of the same file, even in this
// process, cannot take it, and an emulator started later does not inherit it.
bool TryLockFile(const std::string& path, FileLock& lock) {
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  lock.handle = fd;
  return true;
}

void UnlockFile(FileLock& lock) {
  if (lock.handle != -1) close(static_cast<int>(lock.handle));
  lock.handle = -1;
}
#endif
