#pragma once
// The Map Studio's own state: the map being edited, the view over it, the
// tools and their brush, the region and the floating paste, the screen frame.
// Not part of the project: never saved, kept through New and Load.

#include <cstdint>

#include "studios/map/map_actions.h"
#include "widgets/stroke.h"

enum class MapTool : int32_t { Brush, Fill, Rect, Pick, Select };

// View pixels a chip pixel at each zoom step: from overviews to a tile 32 pixels wide.
inline constexpr float kMapZooms[] = {1 / 16.0f, 1 / 8.0f, 1 / 4.0f, 1 / 2.0f, 1, 2, 3, 4};
constexpr int kMapZoomSteps = 8;
constexpr int kOneToOneZoom = 4;

struct MapStudioState {
  int32_t currentMap = 0;  // index into the project's maps
  // The view: the map's chip pixel at its top-left corner, and the zoom step.
  float viewLeft = 0, viewTop = 0;
  int32_t zoom = kOneToOneZoom;
  bool middleDragging = false;
  // Tools.
  MapTool tool = MapTool::Brush;
  MapTool toolBeforePick = MapTool::Brush;
  MapBlock brush{1, 1, {0}};     // metatile 0
  Stroke stroke;                 // a BRUSH stroke held on the map
  int32_t strokeButton = 0;      // 0 paints the brush, 1 erases to metatile 0
  GridCell lastPainted{-1, -1};  // for Shift+click lines; -1 = none
  GridCell dragFrom{-1, -1};     // a RECT or SELECT drag's press cell; -1 = none
  GridCell dragTo{-1, -1};
  bool hasRegion = false;
  MapRect region;
  MapBlock clipboard;          // the last copied or cut region
  bool floating = false;       // a paste or a moved region follows the pointer until placed
  bool floatingMoves = false;  // a moved region lands where the button goes up, a paste at a click
  MapBlock floatingBlock;
  GridCell floatingGrab{0, 0};  // the cell of the block under the pointer
  // Metatiles.
  int32_t selectedMetatile = 0;  // the metatile editor's
  // The screen frame: 32 x 24 tiles, its top-left corner in tiles.
  bool showFrame = false;
  bool showSolid = false;  // a hatch over the cells of solid metatiles
  int32_t frameColumn = 0, frameRow = 0;
  bool draggingFrame = false;
  GridCell frameGrab{0, 0};
  bool draggingStart = false;  // the walker's START tag
  GridCell startGrab{0, 0};    // the start, in map pixels (row y, column x), when the drag began
  int32_t screenInto = -1;  // the name table Screen from Map writes; -1 = a new one
  // Make Metatiles from Screen: the name table and the region of it, in tiles.
  int32_t sourceTable = 0;
  MapRect sourceTiles{0, 0, kTableColumns, kTableRows};
  // Resize: the fields follow the map (see FollowMapSize), the size it was when they last did.
  int32_t newWidth = 64, newHeight = 48;
  int32_t fieldsMap = -1, fieldsWidth = 0, fieldsHeight = 0;
  MapAnchor anchor = MapAnchor::TopLeft;
};

extern MapStudioState mapStudio;

// The size fields take the current map's size when another map is chosen or
// the map's size changes (a resize, an undo, a load, a recovery); what the user
// typed stays while neither happens.
void FollowMapSize(MapStudioState& state, const Map& map);
