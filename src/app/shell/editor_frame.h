#pragma once

// Everything drawn in one frame between the GUI's NewFrame and Render: the
// shortcuts, the main menu and the full-window "Workspace" with the studio tabs,
// then the frame's edits go into the history. The application and the headless
// test driver both call it, so tests see what the user sees. Clears `running`
// once Exit (or closing the window) has gone through.
void DrawEditorFrame(bool& running);

// How long the editor can go without a frame when no input arrives: until the
// playing animation's next step or the notice's fade; very long otherwise.
float SecondsUntilNextChange();
