#!/usr/bin/env bash
# The Windows editor under Wine on a virtual display: it opens a project whose
# name is not ASCII, draws its window, takes a change (ADD SPRITE), saves it
# with Ctrl+S and quits at Alt+F4; the saved file holds the change and loads.
# Arguments: tessellary.exe, the Linux tessellary-export.
set -u
exe=$1
exporter=$2
editor=$exe
source "$(dirname "$0")/editor_on_display.sh"
export WINEPREFIX="${WINEPREFIX:-$work/wine}" WINEDEBUG=-all LC_ALL=C.UTF-8  # the test run's, when it has one
rmdir config  # no portable install: the settings go to %APPDATA%\Tessellary
fail=0

convert -size 256x192 xc:red picture.png && "$exporter" --import-png picture.png --into "Écran 1.krv" >/dev/null ||
  { echo "cannot make the project"; exit 1; }
cp "Écran 1.krv" before.krv

# Wine programs started without a display (the command line's tests) leave the
# prefix's server unable to open windows until it has ended: wait for it.
wineserver -w
wine "$exe" "Écran 1.krv" >/dev/null 2>&1 &
editor_pid=$!
pids+=("$editor_pid")
title_is() { xdotool search --onlyvisible --name "$1" >/dev/null; }
# Wine's first start in a fresh prefix takes a while.
for _ in 1 2 3; do title_is '^Écran 1.krv - Tessellary$' && break; wait_for title_is '^Écran 1.krv - Tessellary$'; done
title_is '^Écran 1.krv - Tessellary$' || { echo "the window never came"; exit 1; }
sleep 1
# Wine frames the window itself: clicks go by the window's own coordinates.
window=$(xdotool search --onlyvisible --name ' - Tessellary$' | head -n 1)
xdotool windowfocus "$window"
import -window root drawn.png
colours=$(convert drawn.png -format '%k' info:)
[ "$colours" -gt 8 ] || { echo "the window is not drawn: $colours colours"; fail=1; }

xdotool mousemove --window "$window" 1513 92 click 1  # ADD SPRITE
wait_for title_is '^Écran 1.krv\* - Tessellary$' || fail=1
xdotool key ctrl+s
wait_for title_is '^Écran 1.krv - Tessellary$' || fail=1
cmp -s "Écran 1.krv" before.krv && { echo "the change was not saved"; fail=1; }
"$exporter" "Écran 1.krv" --list-targets >/dev/null || { echo "the saved project does not load"; fail=1; }

xdotool key alt+F4
wait_for eval '! kill -0 "$editor_pid" 2>/dev/null' || { echo "Alt+F4 did not quit"; fail=1; }
[ -d config ] && { echo "a config folder was made in the working folder"; fail=1; }
# %APPDATA% is each user's AppData\Roaming in the prefix. Asking Wine for it
# while the prefix's server winds down can answer nothing: look in the prefix.
wineserver -w
settings=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Tessellary/editor.cfg' 2>/dev/null | head -n 1)
[ -n "$settings" ] || { echo "no settings in any user's AppData\\Roaming\\Tessellary"; fail=1; }
exit $fail
