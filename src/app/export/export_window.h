#pragma once
// The Export window (File > Export...) and the question after a one-off export
// whether to keep it as a target.
void DrawExportWindow();
