#pragma once
// A short result line ("Imported 12 tiles at 040-051") shown at the bottom of
// the window: it fades after a few seconds, or goes at a click.

#include <string>

constexpr float kNoticeSeconds = 5.0f;

struct Notice {
  std::string text;       // empty = none
  float secondsLeft = 0;  // until it is gone; the last second fades
};
extern Notice notice;

void ShowNotice(const std::string& text);
// Counts down by `elapsedSeconds`; true while it is shown.
bool AgeNotice(Notice& shown, float elapsedSeconds);
void DrawNotice();
