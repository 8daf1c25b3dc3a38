#pragma once
// Undo and redo for the whole editor. The history keeps a copy of the data as
// of its newest step (the baseline); recording compares the live data with it
// and keeps, per list, only the run of records that differ. Undo and redo swap
// that run with the live one, so each step holds one side of the change at a time.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/canvas_image.h"
#include "model/project.h"

// Records first .. first + count of one list were replaced by `records` (or,
// after an undo, the other way round).
template <typename Record>
struct ListSplice {
  int32_t first = 0;
  int32_t count = 0;            // records the live list holds in that place now
  std::vector<Record> records;  // the records the step swaps in
};

// Cells first .. first + cells.size() of map `map` held `cells` (a change of
// cells alone keeps just that run, not the whole map).
struct MapCellsPatch {
  int32_t map = 0;
  std::size_t first = 0;
  std::vector<uint8_t> cells;
};

struct HistoryStep {
  std::string name;             // "PUT TILES", "paint stroke"
  bool changesProject = false;  // false when only the edit canvas changed
  std::optional<ListSplice<Sprite>> sprites;
  std::optional<ListSplice<TileSet>> tileSets;
  std::optional<ListSplice<NameTable>> nameTables;
  std::optional<ListSplice<Map>> maps;
  std::optional<MapCellsPatch> mapCells;
  std::optional<ListSplice<Metasprite>> metasprites;
  std::optional<AnimationStrips> strips;
  std::optional<std::vector<ExportTarget>> exportTargets;
  std::optional<SpriteSize> spriteSize;
  std::optional<PaletteId> palette;
  std::optional<CanvasImage> canvas;
  std::size_t bytes = 0;  // memory the step holds
};

constexpr std::size_t kHistoryByteLimit = std::size_t(64) << 20;
constexpr std::size_t kHistoryStepLimit = 1000;

struct History {
  Project baseline;  // the data as of the newest recorded step
  CanvasImage baselineCanvas;
  std::vector<HistoryStep> steps;  // oldest first
  std::size_t position = 0;        // steps before it are done, from it on undone
  std::size_t bytes = 0;           // held by all steps
  long savedPosition = 0;          // position of the saved file's data; -1 = no longer reachable
  std::size_t byteLimit = kHistoryByteLimit;
  std::size_t stepLimit = kHistoryStepLimit;
  std::string nextName;  // the name the next recorded step takes
};

// Which record of each list an undo or redo changed first; -1 = that list is unchanged.
struct ChangedRecords {
  int sprite = -1;
  int tileSet = -1;
  int nameTable = -1;
  int map = -1;
};

// The history every studio feeds, and the name they give the change they make.
extern History history;
void NameNextEdit(const char* name);

// Forgets every step; the given data is the saved state.
void StartHistory(History& h, const Project& data, const CanvasImage& canvas);
// A step for whatever differs from the baseline, named by nextName (then cleared);
// false, and nothing recorded, when nothing changed. Drops the redo branch and,
// past the limits, the oldest steps.
bool RecordChanges(History& h, Project& data, CanvasImage& canvas);
bool CanUndo(const History& h);
bool CanRedo(const History& h);
const std::string& UndoName(const History& h);
const std::string& RedoName(const History& h);
// Records pending changes first, so nothing typed or drawn is lost.
ChangedRecords Undo(History& h, Project& data, CanvasImage& canvas);
ChangedRecords Redo(History& h, Project& data, CanvasImage& canvas);

void MarkSaved(History& h);
bool HasUnsavedChanges(const History& h);
