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
source "$(dirname "$0")/editor_on_display.sh"
export TESSELLARY_RECOVERY_SECONDS=0.3
fail=0
check() { "$@" || { echo "FAILED: $*"; fail=1; }; }

quick_click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
add_sprite() { quick_click 1513 92; }
recovery_copies() { find config/recovery -name '*.recovery' 2>/dev/null | sort; }
has_copy() { [ -n "$(recovery_copies)" ]; }
# SIGTERM, then the exit status, or SIGKILL and a failure when it does not quit.
stop_editor() {
  kill -TERM "$editor_pid"
  if wait_for eval '! kill -0 "$editor_pid" 2>/dev/null'; then wait "$editor_pid"; else kill -KILL "$editor_pid"; return 1; fi
}

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
