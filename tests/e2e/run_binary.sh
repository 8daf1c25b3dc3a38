#!/usr/bin/env bash
# Starts the real editor under SDL's dummy video driver in a scratch folder,
# lets it run, asks it to quit with SIGTERM and checks what it leaves behind.
set -u
binary=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$binary" &
pid=$!
sleep 1.5
kill -TERM "$pid"
wait "$pid"
status=$?

fail=0
[ "$status" -eq 0 ] || { echo "exit status $status, expected 0"; fail=1; }
[ -d config ] || { echo "config directory was not created"; fail=1; }
[ -f config/imgui.ini ] || { echo "config/imgui.ini was not written at shutdown"; fail=1; }
exit $fail
