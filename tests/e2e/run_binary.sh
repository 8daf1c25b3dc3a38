#!/usr/bin/env bash
# Starts the real editor under SDL's dummy video driver in a scratch folder,
# lets it run, asks it to quit with SIGTERM and checks what it leaves behind:
# once with no settings at all, once with a configuration from an earlier run,
# once with an unreadable configuration, and with a project named on the command line.
set -u
binary=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

run_editor() {
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$binary" "$@" &
  local pid=$!
  sleep 1.5
  kill -TERM "$pid"
  wait "$pid"
  local status=$?
  [ "$status" -eq 0 ] || { echo "exit status $status, expected 0"; fail=1; }
}

# With no config folder here, the settings go to the user's folder for them.
mkdir "$work/fresh" && cd "$work/fresh" || exit 1
XDG_CONFIG_HOME="$work/xdg" run_editor
settings="$work/xdg/tessellary"
[ -d config ] && { echo "a config folder was made in the working folder"; fail=1; }
[ -f "$settings/imgui.ini" ] || { echo "imgui.ini was not written at shutdown"; fail=1; }
expected_tabs=$'Sprite Studio|0\nTile Studio|1\nTable Studio|2\nMap Studio|3'
[ "$(tail -n 4 "$settings/editor.cfg")" = "$expected_tabs" ] || { echo "default tab order not saved"; fail=1; }
[ "$(sed -n 2p "$settings/editor.cfg")" = "$work/fresh" ] || { echo "working directory not saved as the dialog folder"; fail=1; }
env -u XDG_CONFIG_HOME HOME="$work/home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout -s TERM 1.5 "$binary"
[ -f "$work/home/.config/tessellary/editor.cfg" ] || { echo "no settings in ~/.config/tessellary"; fail=1; }

mkdir -p "$work/configured/config" && cd "$work/configured" || exit 1
printf '100 50 800 600 9\n  /some folder\nTable Studio|2\nSprite Studio|0\n' > config/editor.cfg
run_editor
first_line=$(sed -n 1p config/editor.cfg)
[[ "$first_line" == *" 1806 995 9" ]] || { echo "first line is '$first_line'"; fail=1; }
[ "$(sed -n 2p config/editor.cfg)" = "  /some folder" ] || { echo "dialog folder not kept"; fail=1; }
expected_tabs=$'Table Studio|2\nSprite Studio|0\nTile Studio|1\nMap Studio|3'
[ "$(tail -n 4 config/editor.cfg)" = "$expected_tabs" ] || { echo "saved tab order not kept"; fail=1; }

# Regression: a folder in place of editor.cfg crashed the editor at start-up.
mkdir -p "$work/unreadable/config/editor.cfg" && cd "$work/unreadable" || exit 1
run_editor
# A project that cannot be loaded leaves the default project and the editor running.
run_editor "$work/no such project.krv"
exit $fail
