# Sourced by the end-to-end tests that drive the real editor on a virtual
# display: starts Xvfb at exactly the editor's layout size (window, layout and
# screen coordinates agree) unless $screen_size names another, works in a fresh folder, and kills what it
# started on exit. Expects $editor; gives start_editor, title_is, wait_for.
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 "${screen_size:-1806x995}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" SDL_AUDIODRIVER=dummy
# Under AddressSanitizer the X display's client libraries (D-Bus, the X client)
# keep allocations until exit; the dummy-driver test checks the editor's own leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
cd "$work" || exit 1
mkdir config  # settings and recovery copies here, as a portable install keeps them

# Starts the editor and waits until its loop runs (it titles its window then).
start_editor() {
  "$editor" "$@" >/dev/null 2>&1 &
  editor_pid=$!
  pids+=("$editor_pid")
  xdotool search --sync --onlyvisible --pid "$editor_pid" --name ' - Tessellary$' >/dev/null
  sleep 0.5
}
# --all: by default xdotool takes a window matching either condition.
title_is() { xdotool search --all --pid "$editor_pid" --name "$1" >/dev/null; }
# Waits up to 20 s for a command to succeed (a loaded machine answers late).
wait_for() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.2; done
  echo "gave up waiting for: $*"
  return 1
}
