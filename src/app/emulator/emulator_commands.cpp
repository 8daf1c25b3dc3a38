#include "app/emulator/emulator_commands.h"

#include <algorithm>

#include "app/emulator/emulator_session.h"
#include "app/shell/project_commands.h"
#include "studios/map/map_studio_state.h"
#include "studios/table/table_studio_state.h"
#include "widgets/notice.h"

namespace {
const char* MachineTitle(Machine machine) { return machine == Machine::Msx1 ? "MSX1" : "SG-1000"; }

std::size_t ShownTable() { return static_cast<std::size_t>(std::max(0, tableStudio.currentNameTable)); }
}  // namespace

void RunOnEmulatorCommand() {
  if (FindOpenMsx(configuredOpenMsx).empty()) return ShowNotice(kOpenMsxMissing);
  std::string error;
  if (!RunOnEmulator(emulator, project, ShownTable(), error)) {
    session.errorMessage = "Could not run the emulator:\n" + error + ".";
    return;
  }
  ShowNotice(std::string("The emulated ") + MachineTitle(emulator.machine) + " shows " +
             project.nameTables[ShownTable()].name + "; your changes follow it there");
}

void PlayMapCommand() {
  if (FindOpenMsx(configuredOpenMsx).empty()) return ShowNotice(kOpenMsxMissing);
  if (project.maps.empty()) return ShowNotice("There is no map to play: ADD MAP in the Map Studio makes one");
  const int map = std::clamp(mapStudio.currentMap, 0, static_cast<int>(project.maps.size()) - 1);
  std::string error;
  if (!PlayMapOnEmulator(emulator, project, map, mapStudio.frameColumn, mapStudio.frameRow, error)) {
    session.errorMessage = std::string("Could not play ") + project.maps[map].name + ":\n" + error + ".";
    return;
  }
  ShowNotice(std::string("The emulated ") + MachineTitle(emulator.machine) + " plays " + project.maps[map].name +
             ": walk with the cursor keys" + (emulator.machine == Machine::Msx1 ? "" : " or the pad") +
             "; your changes follow it there");
}

void StopEmulatorCommand() {
  if (!emulator.running) return;
  StopEmulator(emulator);
  ShowNotice("Emulator stopped");
}

void ChooseEmulatorMachine(Machine machine) {
  if (machine == emulator.machine) return;
  emulator.machine = machine;
  if (emulator.running) emulator.playMap >= 0 ? PlayMapCommand() : RunOnEmulatorCommand();  // on the old machine
}

void KeepEmulatorLive() {
  std::string notice;
  if (!SyncEmulator(emulator, project, ShownTable(), &notice))
    ShowNotice("The emulator has closed: the live link to it has ended");
  else if (!notice.empty())
    ShowNotice(notice);
}
