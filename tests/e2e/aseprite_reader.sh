#!/usr/bin/env bash
# The Aseprite export as another program reads it: ase-parser, an Aseprite
# reader from the npm registry, draws each frame exactly as the sprite sheet
# the same project writes, and finds the layers and the strip's tag.
set -euo pipefail
export_tool=$1
parser=$2
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$parser/node_modules/ase-parser/Aseprite.js" ] || { echo "no ase-parser (scripts/bootstrap fetches it)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Three frames in a row, the first of two colours, ImageMagick's drawing.
convert -size 48x16 xc:none -fill '#21C842' -draw 'rectangle 2,2 10,12' -fill '#D4524D' -draw 'rectangle 5,5 14,8' \
        -fill '#5455ED' -draw 'circle 24,8 28,12' -fill '#FFFFFF' -draw 'rectangle 36,3 44,9' sheet.png
"$export_tool" --import-sprites sheet.png --into p.krv > /dev/null
"$export_tool" p.krv --sprite-sheet written.png --aseprite p.aseprite > /dev/null
NODE_PATH="$parser/node_modules" node "$here/read_aseprite.js" p.aseprite frames.rgba > read.txt
read -r width height _ < read.txt
convert -size "${width}x${height}" -depth 8 rgba:frames.rgba frames.png
different=$(compare -metric AE frames.png written.png null: 2>&1 || true)
[ "$different" = 0 ] || { echo "ase-parser's frames differ from the sprite sheet in $different pixels"; exit 1; }
expected="48 16 15 layers
tag strip 1 0-2 Forward"
[ "$(cat read.txt)" = "$expected" ] || { echo "ase-parser read:"; cat read.txt; exit 1; }
# ase-parser's own sample, written by Aseprite: read through every chunk, and
# refused only for its 256 x 256 canvas.
refusal=$("$export_tool" --import-aseprite "$parser/node_modules/ase-parser/indexed.aseprite" --into q.krv 2>&1 || true)
case "$refusal" in
  *"the 256 x 256 canvas is larger than a metasprite's 64 x 64"*) ;;
  *) echo "Aseprite's own file: $refusal"; exit 1 ;;
esac
echo "ase-parser reads the Aseprite export as the editor drew it"
