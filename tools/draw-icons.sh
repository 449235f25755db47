#!/usr/bin/env bash
# Draws the icon: the scalable SVG from the program's own finished diagram (voronoi-icon),
# and the PNG sizes of the hicolor theme rendered from it with rsvg-convert.
#   tools/draw-icons.sh VORONOI_ICON OUTPUT_DIRECTORY
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 VORONOI_ICON OUTPUT_DIRECTORY" >&2; exit 2; }
generator=$1
out=$2
mkdir -p "$out"
"$generator" "$out/voronoi-sweep.svg"
for size in 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" "$out/voronoi-sweep.svg" \
    --output "$out/voronoi-sweep-$size.png"
done
