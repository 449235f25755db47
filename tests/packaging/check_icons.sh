#!/usr/bin/env bash
# The committed icons are current: the SVG is what voronoi-icon draws today, and every PNG
# is that SVG rendered at its size (pixel for pixel, within what a renderer update may
# change). `make icons` brings them up to date.
#   check_icons.sh VORONOI_ICON COMMITTED_ICON_DIRECTORY
set -euo pipefail
generator=$1
committed=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$(dirname "$0")/../../tools/draw-icons.sh" "$generator" "$scratch"
cmp "$scratch/voronoi-sweep.svg" "$committed/voronoi-sweep.svg" ||
  { echo "data/icons/voronoi-sweep.svg is out of date: run make icons" >&2; exit 1; }
for size in 48 64 128 256; do
  differing=$(compare -metric AE -fuzz 3% "$scratch/voronoi-sweep-$size.png" \
    "$committed/voronoi-sweep-$size.png" null: 2>&1) || true
  [ "$differing" = 0 ] ||
    { echo "voronoi-sweep-$size.png: $differing pixels differ: run make icons" >&2; exit 1; }
done
