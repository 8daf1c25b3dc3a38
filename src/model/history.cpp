#include "model/history.h"

#include <algorithm>
#include <iterator>

History history;

void NameNextEdit(const char* name) { history.nextName = name; }

namespace {
std::size_t RecordBytes(const Sprite&) { return sizeof(Sprite); }
std::size_t RecordBytes(const TileSet&) { return sizeof(TileSet); }
std::size_t RecordBytes(const NameTable& table) {
  return sizeof(NameTable) + table.placements.size() * sizeof(SpritePlacement) + table.textCells.size() +
         table.blocks.size();
}
std::size_t RecordBytes(const Metasprite& metasprite) {
  return sizeof(Metasprite) + metasprite.parts.size() * sizeof(MetaspritePart);
}
std::size_t RecordBytes(const Map& map) {
  return sizeof(Map) + map.metatiles.size() * sizeof(Metatile) + map.cells.size();
}

template <typename Record>
std::size_t SpliceBytes(const std::optional<ListSplice<Record>>& splice) {
  if (!splice) return 0;
  std::size_t total = sizeof(ListSplice<Record>);
  for (const Record& record : splice->records) total += RecordBytes(record);
  return total;
}

std::size_t StepBytes(const HistoryStep& step) {
  return sizeof(HistoryStep) + step.name.size() + SpliceBytes(step.sprites) + SpliceBytes(step.tileSets) +
         SpliceBytes(step.nameTables) + SpliceBytes(step.maps) + SpliceBytes(step.metasprites) +
         (step.mapCells ? sizeof(MapCellsPatch) + step.mapCells->cells.size() : 0) +
         (step.strips ? sizeof(AnimationStrips) : 0) +
         (step.exportTargets ? step.exportTargets->size() * sizeof(ExportTarget) : 0) +
         (step.canvas ? sizeof(CanvasImage) : 0);
}

// The run of `before` that differs from `after`, taken out of `before`, which
// then equals `after`.
template <typename Record>
std::optional<ListSplice<Record>> TakeDifference(std::vector<Record>& before, const std::vector<Record>& after) {
  const std::size_t oldCount = before.size(), newCount = after.size();
  std::size_t prefix = 0;
  while (prefix < oldCount && prefix < newCount && before[prefix] == after[prefix]) ++prefix;
  if (prefix == oldCount && prefix == newCount) return std::nullopt;
  std::size_t suffix = 0;
  while (suffix < std::min(oldCount, newCount) - prefix &&
         before[oldCount - 1 - suffix] == after[newCount - 1 - suffix])
    ++suffix;
  ListSplice<Record> splice;
  splice.first = static_cast<int32_t>(prefix);
  splice.count = static_cast<int32_t>(newCount - suffix - prefix);
  const auto from = before.begin() + static_cast<std::ptrdiff_t>(prefix);
  const auto to = before.begin() + static_cast<std::ptrdiff_t>(oldCount - suffix);
  splice.records.assign(std::make_move_iterator(from), std::make_move_iterator(to));
  before.erase(from, to);
  before.insert(before.begin() + static_cast<std::ptrdiff_t>(prefix), after.begin() + splice.first,
                after.begin() + splice.first + splice.count);
  return splice;
}

// When only one map's cells differ: the run from the first to the last that
// differs, taken out of `before`, which then equals `after`.
std::optional<MapCellsPatch> TakeMapCells(std::vector<Map>& before, const std::vector<Map>& after) {
  if (before.size() != after.size()) return std::nullopt;
  std::size_t changed = before.size();
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    if (changed != before.size() || !SameButCells(before[i], after[i])) return std::nullopt;
    changed = i;
  }
  if (changed == before.size()) return std::nullopt;
  std::vector<uint8_t>& old = before[changed].cells;
  const std::vector<uint8_t>& now = after[changed].cells;
  std::size_t first = 0, last = old.size();
  while (old[first] == now[first]) ++first;
  while (old[last - 1] == now[last - 1]) --last;
  MapCellsPatch patch{static_cast<int32_t>(changed), first, {old.begin() + first, old.begin() + last}};
  std::copy(now.begin() + first, now.begin() + last, old.begin() + first);
  return patch;
}

// Puts the step's records into the live list and keeps the ones they replace;
// the baseline follows. Returns the first index changed.
template <typename Record>
int SwapSplice(std::optional<ListSplice<Record>>& step, std::vector<Record>& live, std::vector<Record>& baseline) {
  if (!step) return -1;
  ListSplice<Record>& splice = *step;
  const auto first = static_cast<std::ptrdiff_t>(splice.first);
  const auto liveFrom = live.begin() + first, liveTo = liveFrom + splice.count;
  std::vector<Record> replaced(std::make_move_iterator(liveFrom), std::make_move_iterator(liveTo));
  live.erase(liveFrom, liveTo);
  live.insert(live.begin() + first, splice.records.begin(), splice.records.end());
  baseline.erase(baseline.begin() + first, baseline.begin() + first + splice.count);
  baseline.insert(baseline.begin() + first, splice.records.begin(), splice.records.end());
  splice.count = static_cast<int32_t>(splice.records.size());
  splice.records = std::move(replaced);
  return std::min(splice.first, static_cast<int32_t>(live.size()) - 1);
}

int SwapMapCells(std::optional<MapCellsPatch>& step, std::vector<Map>& live, std::vector<Map>& baseline) {
  if (!step) return -1;
  const auto first = static_cast<std::ptrdiff_t>(step->first);
  std::vector<uint8_t>& cells = live[step->map].cells;
  std::swap_ranges(step->cells.begin(), step->cells.end(), cells.begin() + first);
  std::copy(cells.begin() + first, cells.begin() + first + static_cast<std::ptrdiff_t>(step->cells.size()),
            baseline[step->map].cells.begin() + first);
  return step->map;
}

template <typename Part>
void SwapPart(std::optional<Part>& step, Part& live, Part& baseline) {
  if (!step) return;
  std::swap(*step, live);
  baseline = live;
}

ChangedRecords SwapStep(History& h, HistoryStep& step, Project& data, CanvasImage& canvas) {
  h.bytes -= step.bytes;
  ChangedRecords changed;
  changed.sprite = SwapSplice(step.sprites, data.sprites, h.baseline.sprites);
  changed.tileSet = SwapSplice(step.tileSets, data.tileSets, h.baseline.tileSets);
  changed.nameTable = SwapSplice(step.nameTables, data.nameTables, h.baseline.nameTables);
  changed.map = std::max(SwapSplice(step.maps, data.maps, h.baseline.maps),
                         SwapMapCells(step.mapCells, data.maps, h.baseline.maps));
  SwapSplice(step.metasprites, data.metasprites, h.baseline.metasprites);
  SwapPart(step.strips, data.strips, h.baseline.strips);
  SwapPart(step.exportTargets, data.exportTargets, h.baseline.exportTargets);
  SwapPart(step.spriteSize, data.spriteSize, h.baseline.spriteSize);
  SwapPart(step.palette, data.palette, h.baseline.palette);
  SwapPart(step.canvas, canvas, h.baselineCanvas);
  step.bytes = StepBytes(step);
  h.bytes += step.bytes;
  return changed;
}

void DropOldestSteps(History& h) {
  std::size_t drop = 0;
  std::size_t bytes = h.bytes;
  while (drop + 1 < h.steps.size() && (h.steps.size() - drop > h.stepLimit || bytes > h.byteLimit))
    bytes -= h.steps[drop++].bytes;
  if (drop == 0) return;
  h.steps.erase(h.steps.begin(), h.steps.begin() + static_cast<std::ptrdiff_t>(drop));
  h.bytes = bytes;
  h.position -= drop;
  h.savedPosition = h.savedPosition >= static_cast<long>(drop) ? h.savedPosition - static_cast<long>(drop) : -1;
}

const std::string kNothing;
}  // namespace

void StartHistory(History& h, const Project& data, const CanvasImage& canvas) {
  h.baseline = data;
  h.baselineCanvas = canvas;
  h.steps.clear();
  h.position = 0;
  h.bytes = 0;
  h.savedPosition = 0;
  h.nextName.clear();
}

bool RecordChanges(History& h, Project& data, CanvasImage& canvas) {
  HistoryStep step;
  step.sprites = TakeDifference(h.baseline.sprites, data.sprites);
  step.tileSets = TakeDifference(h.baseline.tileSets, data.tileSets);
  step.nameTables = TakeDifference(h.baseline.nameTables, data.nameTables);
  step.mapCells = TakeMapCells(h.baseline.maps, data.maps);
  if (!step.mapCells) step.maps = TakeDifference(h.baseline.maps, data.maps);
  step.metasprites = TakeDifference(h.baseline.metasprites, data.metasprites);
  if (h.baseline.strips != data.strips) {
    step.strips = h.baseline.strips;
    h.baseline.strips = data.strips;
  }
  if (h.baseline.exportTargets != data.exportTargets) {
    step.exportTargets = h.baseline.exportTargets;
    h.baseline.exportTargets = data.exportTargets;
  }
  if (h.baseline.spriteSize != data.spriteSize) {
    step.spriteSize = h.baseline.spriteSize;
    h.baseline.spriteSize = data.spriteSize;
  }
  if (h.baseline.palette != data.palette) {
    step.palette = h.baseline.palette;
    h.baseline.palette = data.palette;
  }
  if (h.baselineCanvas != canvas) {
    step.canvas = h.baselineCanvas;
    h.baselineCanvas = canvas;
  }
  step.changesProject = step.sprites || step.tileSets || step.nameTables || step.maps || step.mapCells || step.strips ||
                        step.exportTargets || step.metasprites || step.spriteSize || step.palette;
  if (!step.changesProject && !step.canvas) return false;
  step.name = h.nextName.empty() ? "edit" : h.nextName;
  h.nextName.clear();
  step.bytes = StepBytes(step);

  // A change after an undo: the undone steps can no longer be redone.
  for (std::size_t i = h.position; i < h.steps.size(); ++i) h.bytes -= h.steps[i].bytes;
  h.steps.erase(h.steps.begin() + static_cast<std::ptrdiff_t>(h.position), h.steps.end());
  if (h.savedPosition > static_cast<long>(h.position)) h.savedPosition = -1;

  h.bytes += step.bytes;
  h.steps.push_back(std::move(step));
  h.position = h.steps.size();
  DropOldestSteps(h);
  return true;
}

bool CanUndo(const History& h) { return h.position > 0; }
bool CanRedo(const History& h) { return h.position < h.steps.size(); }
const std::string& UndoName(const History& h) { return CanUndo(h) ? h.steps[h.position - 1].name : kNothing; }
const std::string& RedoName(const History& h) { return CanRedo(h) ? h.steps[h.position].name : kNothing; }

ChangedRecords Undo(History& h, Project& data, CanvasImage& canvas) {
  RecordChanges(h, data, canvas);
  if (!CanUndo(h)) return {};
  return SwapStep(h, h.steps[--h.position], data, canvas);
}

ChangedRecords Redo(History& h, Project& data, CanvasImage& canvas) {
  // Pending changes would start a new branch and lose the redo steps.
  if (RecordChanges(h, data, canvas) || !CanRedo(h)) return {};
  return SwapStep(h, h.steps[h.position++], data, canvas);
}

void MarkSaved(History& h) { h.savedPosition = static_cast<long>(h.position); }

bool HasUnsavedChanges(const History& h) {
  if (h.savedPosition < 0) return true;
  const std::size_t saved = static_cast<std::size_t>(h.savedPosition);
  const std::size_t from = std::min(saved, h.position), to = std::max(saved, h.position);
  for (std::size_t i = from; i < to; ++i)
    if (h.steps[i].changesProject) return true;
  return false;
}
