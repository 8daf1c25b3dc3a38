#!/usr/bin/env bash
# The editor fits its window to a display of another size than its layout's,
# and its picture must fill that window: a renderer that kept the first size
# drew the layout shifted, its menu bar off the window or a black band below.
# Arguments: the editor binary.
set -u
editor=$1
status=0
for screen_size in 1600x1000 1920x1080; do
  (
    source "$(dirname "$0")/editor_on_display.sh"
    start_editor
    eval "$(xdotool search --pid "$editor_pid" --name ' - Tessellary$' getwindowgeometry --shell | tail -n +2)"
    import -window root screen.png
    # The brightest pixel of the window's top and bottom 6 rows: black is undrawn.
    brightest() { convert screen.png -crop "${WIDTH}x6+$X+$1" -format '%[fx:maxima.intensity]' info:; }
    for edge in top bottom; do
      y=$Y
      [ "$edge" = bottom ] && y=$((Y + HEIGHT - 6))
      if [ "$(brightest "$y")" = 0 ]; then
        echo "at $screen_size the window's $edge rows are undrawn"
        exit 1
      fi
    done
  ) || status=1
done
exit $status
