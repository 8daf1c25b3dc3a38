#pragma once

// Everything drawn in one frame between the GUI's NewFrame and Render: the main
// menu and the full-window "Workspace" with the studio tabs. The application and
// the headless test driver both call it, so tests see what the user sees.
void DrawEditorFrame(bool& running);
