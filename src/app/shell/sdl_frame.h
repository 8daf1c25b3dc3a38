#pragma once
// One frame of a GUI context on the SDL window: the editor's loop and the
// file browser's nested loop both run frames this way. The GUI lays out at
// the fixed layout size into a texture of that size, which is drawn scaled to
// fit the window; mouse positions are mapped back into layout units.

#include <SDL_events.h>

#include <cstdint>
#include <functional>
#include <vector>

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

struct SdlScreen {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* layout = nullptr;  // the frame at layout size; none: drawn straight to the window
  unsigned lastFrameTicks = 0;    // when the previous frame started, for pacing
  // Events kept back for the next frame: a press that would land in the same
  // frame as a pointer move, or a modifier changing after a key's press, and
  // everything after it, in order.
  std::vector<SDL_Event> heldEvents;
  uint64_t lastFingerprint = 0;  // what the window shows (see frame_fingerprint.h)
  bool redraw = true;            // the window needs drawing whatever the frame holds: shown, exposed, resized
};

// Makes the layout texture (without one, frames draw unscaled).
void PrepareSdlScreen(SdlScreen& screen);
void ReleaseSdlScreen(SdlScreen& screen);

// Feeds one SDL event to the current GUI context, mouse positions in layout
// units. A mouse button that would change in the same frame as the pointer
// moves (a quick click, a pen, a touchscreen) waits for the next frame, as
// widgets that allow overlap only take a press where the pointer already was.
// A modifier that changes after another key's press in the same frame waits too.
void ProcessSdlEvent(SdlScreen& screen, const SDL_Event& event);

// New frame for the current context, `draw`, then render and present, unless
// the window already shows exactly what the frame drew: without a GPU a
// present costs a software copy of the whole window. Frames are at most 60 a
// second whatever the renderer claims about vsync. True when it presented.
bool RunSdlFrame(SdlScreen& screen, const std::function<void()>& draw);
// Makes the pixel pictures' textures (the screen, the map) before the backend
// would, sampled so that a scaled one shows each texel as a sharp block.
void MakeSharpPictures();
