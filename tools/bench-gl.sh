#!/usr/bin/env bash
# Frame times with real OpenGL: bench/gl-frames in the framework's own window, each run on a
# private Xvfb of its own (Mesa's software renderer, llvmpipe).
#
#   tools/bench-gl.sh table BUILD_DIR [WINDOWS_BUILD_DIR]
#       the table: the frame routine and the literal reference, 199 random sites and the
#       199-site grid, every frame of the sweep and 300 of the finished picture; given the
#       Windows build, its frame routine under Wine (a fresh prefix) on the same scenes
#   tools/bench-gl.sh memory BUILD_DIR
#       the frame routine's anonymous resident memory over 10,000 frames at 199 random sites
#   tools/bench-gl.sh culling BUILD_DIR [REPETITIONS] [SCENES]
#       the frame routine with every point drawn and with the points that change no pixel
#       left out, in turn, REPETITIONS times (1 when not given) over SCENES (the whole
#       catalogue when not given: random grid row collinear coincident ring cluster); with
#       each run's processor time for the sweep and the points left out per frame
set -euo pipefail
mode=${1:-}
build=${2:-build}
windows_build=${3:-}
here=$(cd "$(dirname "$0")/.." && pwd)

on_xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"; }

case "$mode" in
  table)
    echo "| scene, frames, routine | frames | median | p95 | p99 | slowest | over 16.7 ms |"
    echo "|---|---|---|---|---|---|---|"
    for routine in routine literal; do
      for scene in random grid; do
        on_xvfb "$build/bench/gl-frames" "$routine" "$scene" | grep '^|'
      done
    done
    if [ -n "$windows_build" ]; then
      wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
      prefix=$(mktemp -d)
      trap 'rm -rf "$prefix"' EXIT
      sh "$here/tests/wine/make_prefix.sh" "$wine" "$wineserver" "$prefix/wine" >/dev/null 2>&1
      for scene in random grid; do
        on_xvfb sh "$here/tests/wine/run_in_wine.sh" "$wine" "$wineserver" "$prefix/wine" \
          "$windows_build/bench/gl-frames.exe" routine "$scene" |
          tr -d '\r' | grep '^|' | sed 's/frame routine |/frame routine under Wine |/'
      done
    fi
    ;;
  memory)
    on_xvfb "$build/bench/gl-frames" routine random --in-all 10000 | grep 'resident memory'
    ;;
  culling)
    repetitions=${3:-1}
    scenes=${4:-random grid row collinear coincident ring cluster}
    echo "| scene, frames, routine | frames | median | p95 | p99 | slowest | over 16.7 ms |"
    echo "|---|---|---|---|---|---|---|"
    for ((r = 1; r <= repetitions; r++)); do
      for scene in $scenes; do
        for culling in --no-culling ""; do
          # shellcheck disable=SC2086 # no argument at all for the default
          on_xvfb "$build/bench/gl-frames" routine "$scene" $culling | grep -v 'resident memory'
        done
      done
    done
    ;;
  *)
    echo "usage: bench-gl.sh table BUILD_DIR [WINDOWS_BUILD_DIR] | memory BUILD_DIR |" \
      "culling BUILD_DIR [REPETITIONS] [SCENES]" >&2
    exit 2
    ;;
esac
