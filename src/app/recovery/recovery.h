#pragma once
// Work that survives a crash. While the project has unsaved changes this
// editor keeps a recovery copy in config/recovery/ ("<id>.recovery", written
// at most every intervalSeconds and within that time of any change, off the
// frame); a save or a clean exit removes it. Each editor holds a lock beside
// its copy ("<id>.lock") for as long as it runs, so a copy whose lock can be
// taken was left by an editor that did not exit cleanly: such copies are
// offered at start-up, one at a time, and no two running editors take or
// delete each other's.

#include <string>
#include <vector>

#include "app/recovery/process_lock.h"
#include "app/recovery/recovery_writer.h"
#include "storage/recovery_file.h"

constexpr const char* kRecoveryDirectory = "config/recovery";
constexpr double kRecoverySeconds = 30;
constexpr const char* kRecoveryIntervalVariable = "TESSELLARY_RECOVERY_SECONDS";  // shorter, for tests

// A copy left by an editor that is gone, held (locked) while the user decides.
struct RecoveryOffer {
  std::string id;  // empty = none
  FileLock lock;
  RecoveryCopy copy;
};

struct RecoveryState {
  std::string folder = kRecoveryDirectory;  // in the settings folder: start-up sets it
  double intervalSeconds = kRecoverySeconds;
  std::string ownId;  // empty until started
  FileLock ownLock;
  bool copyKept = false;            // a copy of this editor's is on disk or on its way
  double lastCopySeconds = -1e300;  // when the last snapshot was handed over
  RecoveryWriter writer;
  RecoveryOffer offer;
  std::vector<std::string> notNow;  // ids the user put off in this run
};
extern RecoveryState recovery;

enum class RecoveryAnswer { Recover, Discard, NotNow };

// Takes this editor's id and lock, starts the writer and looks for a copy to offer.
void StartRecovery(RecoveryState& state);
// Once a frame: hands over a snapshot when one is due, or has the copy removed
// when nothing is unsaved any more.
void TickRecovery(RecoveryState& state, double nowSeconds);
// How long the loop may sleep before TickRecovery has something to do.
double SecondsUntilRecoveryDue(const RecoveryState& state, double nowSeconds);
// A clean exit: the writer stops and this editor's copy and lock go.
void StopRecovery(RecoveryState& state);

// Offers the next copy left by a gone editor, if any; a damaged one is set
// aside as "<id>.recovery.damaged" and reported in the error popup.
void FindRecoveryOffer(RecoveryState& state);
// "Recover unsaved work on level.krv from 14:05?"
std::string RecoveryQuestion(const RecoveryOffer& offer);
// Recover opens the copy as unsaved changes to its file and makes it this
// editor's own copy; Discard deletes it; Not Now leaves it for the next start.
// Then the next copy, if any, is offered.
void AnswerRecovery(RecoveryState& state, RecoveryAnswer answer);
