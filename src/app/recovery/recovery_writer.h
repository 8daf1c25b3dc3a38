#pragma once
// Writes recovery copies on a thread of their own, so that no frame waits for
// the disk. The frame hands over a snapshot (or a removal); a newer request
// replaces one not yet started. A copy identical to the last one written is
// not written again.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "storage/recovery_file.h"

struct RecoveryJob {
  std::string path;                          // the copy's file
  std::shared_ptr<const RecoveryCopy> copy;  // nothing: remove the file
};

struct RecoveryWriter {
  std::thread thread;
  std::mutex mutex;
  std::condition_variable changed;
  std::optional<RecoveryJob> job;  // waiting to be started
  bool busy = false;               // a job is being carried out
  bool stopping = false;
  std::string lastWritten;  // the bytes of the copy on disk; empty = none (the thread's own)
};

void StartRecoveryWriter(RecoveryWriter& writer);
void PostRecoveryJob(RecoveryWriter& writer, RecoveryJob job);
// Blocks until every job handed over is done.
void WaitForRecoveryWriter(RecoveryWriter& writer);
// Finishes the job under way, drops one waiting, and ends the thread.
void StopRecoveryWriter(RecoveryWriter& writer);
