#include "app/recovery/recovery.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "app/shell/project_commands.h"
#include "model/history.h"
#include "storage/utf8_path.h"
#include "studios/tile/tile_studio_state.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

RecoveryState recovery;

namespace {
constexpr const char* kCopySuffix = ".recovery";
constexpr const char* kLockSuffix = ".lock";

std::string CopyPath(const RecoveryState& state, const std::string& id) {
  return state.folder + "/" + id + kCopySuffix;
}
std::string LockPath(const RecoveryState& state, const std::string& id) {
  return state.folder + "/" + id + kLockSuffix;
}

int64_t SecondsSince1970() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

double IntervalFromEnvironment() {
  const char* text = std::getenv(kRecoveryIntervalVariable);
  const double seconds = text ? std::atof(text) : 0;
  return seconds > 0 ? seconds : kRecoverySeconds;
}

void Release(RecoveryOffer& offer) {
  UnlockFile(offer.lock);
  offer = RecoveryOffer{};
}

// Locks and reads the copy `id`; false (and the copy set aside when damaged) when it is not to be offered.
bool TakeOffer(RecoveryState& state, const std::string& id) {
  RecoveryOffer& offer = state.offer;
  if (!TryLockFile(LockPath(state, id), offer.lock)) return false;  // its editor still runs
  const std::string path = CopyPath(state, id);
  std::vector<uint8_t> bytes;
  FileResult result = ReadWholeFile(path, bytes);
  if (result == FileResult::CannotOpen) {  // taken by another editor between the listing and the lock
    Release(offer);
    return false;
  }
  if (result == FileResult::Ok) result = ParseRecoveryCopy(bytes.data(), bytes.size(), offer.copy);
  if (result != FileResult::Ok) {
    std::error_code error;
    std::filesystem::rename(Utf8Path(path), Utf8Path(path + ".damaged"), error);
    session.errorMessage = "A recovery copy could not be read (" + std::string(DescribeFileResult(result)) +
                           ") and was set aside as\n" + path + ".damaged";
    Release(offer);
    std::filesystem::remove(Utf8Path(LockPath(state, id)), error);
    return false;
  }
  offer.id = id;
  return true;
}
}  // namespace

void StartRecovery(RecoveryState& state) {
  state.intervalSeconds = IntervalFromEnvironment();
  std::error_code error;
  std::filesystem::create_directories(Utf8Path(state.folder), error);
  // The process id alone could be a dead editor's again after a restart.
  const std::string id = std::to_string(getpid()) + "-" + std::to_string(SecondsSince1970());
  if (TryLockFile(LockPath(state, id), state.ownLock)) state.ownId = id;
  StartRecoveryWriter(state.writer);
  FindRecoveryOffer(state);
}

void TickRecovery(RecoveryState& state, double nowSeconds) {
  if (state.ownId.empty()) return;
  if (!ProjectHasUnsavedChanges()) {
    if (state.copyKept) PostRecoveryJob(state.writer, {CopyPath(state, state.ownId), nullptr});
    state.copyKept = false;
    return;
  }
  if (nowSeconds - state.lastCopySeconds < state.intervalSeconds) return;
  auto copy = std::make_shared<RecoveryCopy>();
  copy->savedAt = SecondsSince1970();
  copy->projectPath = session.currentPath;
  copy->canvas = tileStudio.canvas;
  copy->project = project;
  PostRecoveryJob(state.writer, {CopyPath(state, state.ownId), std::move(copy)});
  state.copyKept = true;
  state.lastCopySeconds = nowSeconds;
}

double SecondsUntilRecoveryDue(const RecoveryState& state, double nowSeconds) {
  if (state.ownId.empty()) return 1e9;
  if (!ProjectHasUnsavedChanges()) return state.copyKept ? 0 : 1e9;
  return std::max(0.0, state.lastCopySeconds + state.intervalSeconds - nowSeconds);
}

void StopRecovery(RecoveryState& state) {
  StopRecoveryWriter(state.writer);
  Release(state.offer);
  if (state.ownId.empty()) return;
  std::error_code error;
  std::filesystem::remove(Utf8Path(CopyPath(state, state.ownId)), error);
  UnlockFile(state.ownLock);
  std::filesystem::remove(Utf8Path(LockPath(state, state.ownId)), error);
  state.ownId.clear();
}

void FindRecoveryOffer(RecoveryState& state) {
  Release(state.offer);
  std::error_code error;
  std::vector<std::string> ids;
  for (const auto& entry : std::filesystem::directory_iterator(Utf8Path(state.folder), error)) {
    const std::string id = Utf8Text(entry.path().stem());
    if (entry.path().extension() == kCopySuffix) ids.push_back(id);
    // A lock with no copy beside it, of an editor that is gone, is only litter.
    FileLock lock;
    if (entry.path().extension() == kLockSuffix && id != state.ownId &&
        !std::filesystem::exists(Utf8Path(CopyPath(state, id)), error) && TryLockFile(Utf8Text(entry.path()), lock)) {
      UnlockFile(lock);
      std::filesystem::remove(entry.path(), error);
    }
  }
  std::sort(ids.begin(), ids.end());
  for (const std::string& id : ids) {
    if (id == state.ownId || std::count(state.notNow.begin(), state.notNow.end(), id)) continue;
    if (TakeOffer(state, id)) return;
  }
}

std::string RecoveryQuestion(const RecoveryOffer& offer) {
  const std::string on =
      offer.copy.projectPath.empty() ? "the untitled project" : Utf8Text(Utf8Path(offer.copy.projectPath).filename());
  const std::time_t when = static_cast<std::time_t>(offer.copy.savedAt);
  const std::time_t now = std::time(nullptr);
  char time[32] = "", today[16] = "", day[16] = "";
  std::strftime(day, sizeof day, "%Y-%m-%d", std::localtime(&when));
  std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
  std::strftime(time, sizeof time, "%H:%M", std::localtime(&when));
  const std::string at = std::string(time) + (std::string(day) == today ? "" : " on " + std::string(day));
  return "Recover unsaved work on " + on + " from " + at + "?";
}

void AnswerRecovery(RecoveryState& state, RecoveryAnswer answer) {
  RecoveryOffer& offer = state.offer;
  if (offer.id.empty()) return;
  const std::string path = CopyPath(state, offer.id);
  std::error_code error;
  if (answer == RecoveryAnswer::NotNow) state.notNow.push_back(offer.id);
  if (answer == RecoveryAnswer::Discard) std::filesystem::remove(Utf8Path(path), error);
  if (answer == RecoveryAnswer::Recover) {
    project = std::move(offer.copy.project);
    tileStudio.canvas = offer.copy.canvas;
    session.currentPath = offer.copy.projectPath;
    StartHistory(history, project, tileStudio.canvas);
    history.savedPosition = -1;  // nothing of it is in the file yet
    // Kept as this editor's own copy until the writer replaces it.
    if (!state.ownId.empty()) {
      std::filesystem::rename(Utf8Path(path), Utf8Path(CopyPath(state, state.ownId)), error);
      state.copyKept = !error;
    }
  }
  if (answer != RecoveryAnswer::NotNow) {
    UnlockFile(offer.lock);
    std::filesystem::remove(Utf8Path(LockPath(state, offer.id)), error);
  }
  FindRecoveryOffer(state);
}
