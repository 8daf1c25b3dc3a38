#!/usr/bin/env bash
# Key taps whose press and release arrive in one burst, as `xdotool key` sends
# them (and remote desktops, macro keys and fast typists do), through the real
# editor's window: 200 of Ctrl+Z, Ctrl+S and Ctrl+Y in turn, each of which
# flips the title's unsaved-changes mark. Every one must be taken.
# Arguments: the editor binary, tessellary-export.
set -u
editor=$1
exporter=$2
source "$(dirname "$0")/editor_on_display.sh"

convert -size 256x192 xc:red picture.png && "$exporter" --import-png picture.png --into level.krv >/dev/null ||
  { echo "cannot make the project"; exit 1; }
start_editor level.krv
xdotool mousemove 1513 92 && sleep 0.2 && xdotool click 1  # ADD SPRITE: one step to undo and redo
wait_for title_is '^level.krv\* - Tessellary$' || exit 1
xdotool key ctrl+s
wait_for title_is '^level.krv - Tessellary$' || exit 1

# Up to 5 s for the title to show (or not show) the unsaved mark.
title_within() {
  for _ in $(seq 100); do title_is "$1" && return 0; sleep 0.05; done
  return 1
}
unsaved='^level.krv\* - Tessellary$'
clean='^level.krv - Tessellary$'
# Undo leaves the saved state, Save makes it the saved one, Redo leaves it, Save again.
keys=(ctrl+z ctrl+s ctrl+y ctrl+s)
titles=("$unsaved" "$clean" "$unsaved" "$clean")
lost=0
for i in $(seq 0 199); do
  # At any point of the editor's frame: the loss came when a frame fell inside the burst.
  sleep "$(printf '0.%03d' $((RANDOM % 34)))"
  key=${keys[i % 4]}
  if [ $((i % 8)) -lt 4 ]; then
    xdotool key "$key"
  else
    # Ctrl taken in a frame of its own, then the letter's press, Ctrl's release and
    # the letter's release together, as xdotool itself sends them now and then.
    xdotool keydown --delay 0 ctrl sleep 0.05 keydown --delay 0 "${key#ctrl+}" keyup --delay 0 ctrl keyup --delay 0 "${key#ctrl+}"
  fi
  title_within "${titles[i % 4]}" || { echo "burst $i ($key) was lost"; lost=$((lost + 1)); }
done
echo "$lost of 200 bursts lost"
[ "$lost" -eq 0 ]
