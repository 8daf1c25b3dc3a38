#!/usr/bin/env bash
# Recovery copies with the real editor on a virtual display, driven by xdotool
# with quick clicks (the press arrives with the pointer's move):
#  - changes made, the editor killed with SIGKILL, started again: Return takes
#    "Recover", Ctrl+S saves, and the saved file equals the project in the last
#    recovery copy written before the kill, byte for byte;
#  - a clean exit leaves nothing in config/recovery;
#  - a second editor in the same folder does not take a running editor's copy;
#  - a damaged copy is set aside and the editor keeps running.
# Arguments: the editor binary, tessellary-export.
set -u
editor=$1
exporter=$2
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
fail=0
check() { "$@" || { echo "FAILED: $*"; fail=1; }; }

# A display of exactly the editor's layout size: window, layout and screen coordinates agree.
Xvfb -displayfd 3 -screen 0 1806x995x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" SDL_AUDIODRIVER=dummy TESSELLARY_RECOVERY_SECONDS=0.3
# Under AddressSanitizer the X display's client libraries (D-Bus, the X client)
# keep allocations until exit; the dummy-driver test checks the editor's own leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# Starts the editor and waits until its loop runs (it titles its window then).
start_editor() {
  "$editor" "$@" >/dev/null 2>&1 &
  editor_pid=$!
  pids+=("$editor_pid")
  xdotool search --sync --onlyvisible --pid "$editor_pid" --name ' - Tessellary$' >/dev/null
  sleep 0.5
}
title_is() { xdotool search --pid "$editor_pid" --name "$1" >/dev/null; }
quick_click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
add_sprite() { quick_click 1513 92; }
recovery_copies() { find config/recovery -name '*.recovery' 2>/dev/null | sort; }
# Waits up to 20 s for a command to succeed (a loaded machine answers late).
wait_for() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.2; done
  echo "gave up waiting for: $*"
  return 1
}
has_copy() { [ -n "$(recovery_copies)" ]; }
# SIGTERM, then the exit status, or SIGKILL and a failure when it does not quit.
stop_editor() {
  kill -TERM "$editor_pid"
  if wait_for eval '! kill -0 "$editor_pid" 2>/dev/null'; then wait "$editor_pid"; else kill -KILL "$editor_pid"; return 1; fi
}

cd "$work" || exit 1
convert -size 256x192 xc:red picture.png && "$exporter" --import-png picture.png --into level.krv >/dev/null ||
  { echo "cannot make the project"; exit 1; }
cp level.krv level.orig

# Changes, a kill, a restart, Recover and Save.
start_editor level.krv
add_sprite
add_sprite
wait_for has_copy || fail=1
sleep 1
kill -KILL "$editor_pid"
wait "$editor_pid" 2>/dev/null
[ "$(recovery_copies | wc -l)" -eq 1 ] || { echo "no recovery copy after the kill"; fail=1; }
cp "$(recovery_copies)" last.copy  # the last copy written: each write replaces it whole
check cmp -s level.krv level.orig

start_editor
xdotool key Return
wait_for title_is '^level.krv\* - Tessellary$' || fail=1  # recovered: unsaved changes to level.krv
xdotool key ctrl+s
wait_for eval '! cmp -s level.krv level.orig' || fail=1
python3 - "$work" <<'PY' || fail=1
import struct, sys
copy = open(sys.argv[1] + "/last.copy", "rb").read()
path_length = struct.unpack_from("<I", copy, 16)[0]
path = copy[20:20 + path_length].decode()
project = copy[20 + path_length + 16 * 24 * 9:]
saved = open(sys.argv[1] + "/level.krv", "rb").read()
if not path.endswith("/level.krv"): sys.exit("the copy names " + path)
if saved != project: sys.exit("the saved project differs from the last recovery copy")
if saved == open(sys.argv[1] + "/level.orig", "rb").read(): sys.exit("nothing was recovered")
PY
check stop_editor
check [ -z "$(ls config/recovery)" ]

# A running editor's copy is not offered to a second one.
start_editor level.krv
first=$editor_pid
add_sprite
wait_for has_copy
copy=$(recovery_copies)
check [ -n "$copy" ]
start_editor
xdotool key Return
sleep 0.5
check [ "$(recovery_copies)" = "$copy" ]
kill -KILL "$editor_pid" "$first"
wait "$editor_pid" "$first" 2>/dev/null

# A damaged copy is set aside, not deleted; the editor runs on.
rm -f config/recovery/*
echo "not a recovery copy" > config/recovery/1-1.recovery
start_editor
wait_for [ -f config/recovery/1-1.recovery.damaged ] || fail=1
check [ ! -e config/recovery/1-1.recovery ]
check kill -0 "$editor_pid"
exit $fail
