#pragma once
// A lock on a file that the system lets go of when the process ends, however
// it ends (exit, crash, kill, power cut): a lock that can be taken marks a file
// whose owner is gone.

#include <cstdint>
#include <string>

struct FileLock {
  intptr_t handle = -1;  // -1 = not held
};

// Takes the lock on `path` (made when missing) without waiting; false when
// another process, or another FileLock of this one, holds it.
bool TryLockFile(const std::string& path, FileLock& lock);
void UnlockFile(FileLock& lock);
