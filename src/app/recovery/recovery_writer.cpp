#include "app/recovery/recovery_writer.h"

#include <cstdio>
#include <filesystem>

#include "storage/file_io.h"
#include "storage/utf8_path.h"

namespace {
void CarryOut(RecoveryWriter& writer, const RecoveryJob& job) {
  if (!job.copy) {
    std::remove(job.path.c_str());
    writer.lastWritten.clear();
    return;
  }
  std::string bytes =
      SerializeRecoveryCopy(job.copy->savedAt, job.copy->projectPath, job.copy->canvas, job.copy->project);
  // The write time differs in every copy: compare what follows it.
  constexpr std::size_t kTimeEnd = 16;
  if (writer.lastWritten.size() == bytes.size() &&
      writer.lastWritten.compare(kTimeEnd, std::string::npos, bytes, kTimeEnd, std::string::npos) == 0)
    return;
  std::error_code error;
  std::filesystem::create_directories(Utf8Path(job.path).parent_path(), error);
  if (ReplaceFile(job.path, bytes, false) == FileResult::Ok)
    writer.lastWritten = std::move(bytes);
  else
    writer.lastWritten.clear();  // try again next time
}

void Run(RecoveryWriter& writer) {
  std::unique_lock<std::mutex> lock(writer.mutex);
  for (;;) {
    writer.changed.wait(lock, [&writer] { return writer.stopping || writer.job.has_value(); });
    if (writer.stopping) return;
    const RecoveryJob job = std::move(*writer.job);
    writer.job.reset();
    writer.busy = true;
    lock.unlock();
    CarryOut(writer, job);
    lock.lock();
    writer.busy = false;
    writer.changed.notify_all();
  }
}
}  // namespace

void StartRecoveryWriter(RecoveryWriter& writer) {
  writer.stopping = false;
  writer.thread = std::thread(Run, std::ref(writer));
}

void PostRecoveryJob(RecoveryWriter& writer, RecoveryJob job) {
  {
    std::lock_guard<std::mutex> lock(writer.mutex);
    writer.job = std::move(job);
  }
  writer.changed.notify_all();
}

void WaitForRecoveryWriter(RecoveryWriter& writer) {
  std::unique_lock<std::mutex> lock(writer.mutex);
  writer.changed.wait(lock, [&writer] { return !writer.busy && (!writer.job || writer.stopping); });
}

void StopRecoveryWriter(RecoveryWriter& writer) {
  if (!writer.thread.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(writer.mutex);
    writer.stopping = true;
    writer.job.reset();
  }
  writer.changed.notify_all();
  writer.thread.join();
}
