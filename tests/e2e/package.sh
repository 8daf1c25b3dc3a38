#!/usr/bin/env bash
# The Debian package, unpacked with dpkg-deb -x: both programs run from it,
# the editor as its desktop entry starts it (with a project to open), its
# file type and entry are well formed, and apt can satisfy what it depends on.
# Argument: the .deb.
set -u
deb=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
cd "$work" || exit 1
dpkg-deb -x "$deb" root || { echo "cannot unpack $deb"; exit 1; }
bin=$work/root/usr/bin

"$bin/tessellary-export" --version | grep -q '^tessellary-export ' || { echo "tessellary-export does not run"; fail=1; }
convert -size 256x192 xc:blue picture.png
"$bin/tessellary-export" --import-png picture.png --into level.krv >/dev/null &&
  "$bin/tessellary-export" level.krv --asm level.asm >/dev/null && [ -s level.asm ] ||
  { echo "the packaged command line cannot import and export"; fail=1; }

# The menu's command: the desktop entry's Exec line, %f the project.
command=$(sed -n 's/^Exec=//p' root/usr/share/applications/tessellary.desktop)
[ "${command%% *}" = tessellary ] || { echo "the entry starts '$command'"; fail=1; }
command=${command/\%f/level.krv}
mkdir config
PATH="$bin:$PATH" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy $command &
pid=$!
sleep 2
kill -TERM "$pid"
wait "$pid" || { echo "the editor did not run from its entry"; fail=1; }
grep -q "level.krv" config/editor.cfg || { echo "the editor did not open the project it was given"; fail=1; }

python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' \
  root/usr/share/mime/packages/tessellary.xml || { echo "the file type is not well formed"; fail=1; }
grep -q '^MimeType=application/x-tessellary-project;$' root/usr/share/applications/tessellary.desktop ||
  { echo "the entry does not open .krv files"; fail=1; }
apt-get -s -qq install "$deb" >/dev/null 2>&1 || { echo "apt cannot install $deb"; fail=1; }
exit $fail
