#include "app/emulator/emulator_commands.h"

#include <algorithm>

#include "app/emulator/emulator_session.h"
#include "app/shell/project_commands.h"
#include "studios/table/table_studio_state.h"
#include "widgets/notice.h"

namespace {
const char* MachineTitle(Machine machine) { return machine == Machine::Msx1 ? "MSX1" : "SG-1000"; }

std::size_t ShownTable() { return static_cast<std::size_t>(std::max(0, tableStudio.currentNameTable)); }
}  // namespace

void RunOnEmulatorCommand() {
  if (FindProgram("openmsx").empty()) return ShowNotice(kOpenMsxMissing);
  std::string error;
  if (!RunOnEmulator(emulator, project, ShownTable(), error)) {
    session.errorMessage = "Could not run the emulator:\n" + error + ".";
    return;
  }
  ShowNotice(std::string("The emulated ") + MachineTitle(emulator.machine) + " shows " +
             project.nameTables[ShownTable()].name + "; your changes follow it there");
}

void StopEmulatorCommand() {
  if (!emulator.running) return;
  StopEmulator(emulator);
  ShowNotice("Emulator stopped");
}

void ChooseEmulatorMachine(Machine machine) {
  if (machine == emulator.machine) return;
  emulator.machine = machine;
  if (emulator.running) RunOnEmulatorCommand();  // the running one shows the old machine
}

void KeepEmulatorLive() {
  if (!SyncEmulator(emulator, project, ShownTable()))
    ShowNotice("The emulator has closed: the live link to it has ended");
}
