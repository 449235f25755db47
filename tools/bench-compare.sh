#!/usr/bin/env bash
# Before and after from one run: bench/gl-frames built from an earlier commit and from the
# working tree, run in turn (before, after, before, after, ...) so that both see the same load,
# each run on a private Xvfb; then the median of the repetitions of every figure.
#
#   tools/bench-compare.sh BEFORE_COMMIT [REPETITIONS] [SCENES] [BUILD_DIR]
#
# REPETITIONS: 5 when not given; SCENES: "random grid". The earlier commit is built in
# build-before/ (a detached worktree and its build), the working tree in BUILD_DIR (build).
# Figures: frames | median | p95 | p99 | slowest | over 16.7 ms (the sweep, 300 frames of the
# finished picture), and once for each side the anonymous resident memory in kB at the end of
# the sweep and after 10,000 frames at 199 random sites.
set -euo pipefail
before_commit=${1:?usage: bench-compare.sh BEFORE_COMMIT [REPETITIONS] [SCENES] [BUILD_DIR]}
repetitions=${2:-5}
scenes=${3:-random grid}
build=${4:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
before=$here/build-before
jobs=${JOBS:-2}

if [ ! -d "$before/tree" ]; then
  git -C "$here" worktree add --detach "$before/tree" "$before_commit" >/dev/null
else
  git -C "$before/tree" checkout -q --detach "$before_commit"
fi
cmake -S "$before/tree" -B "$before/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$before/build" -j "$jobs" --target gl-frames >/dev/null
cmake --build "$here/$build" -j "$jobs" --target gl-frames >/dev/null

runs=$(mktemp)
trap 'rm -f "$runs"' EXIT
on_xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"; }
run() {  # run SIDE ARGUMENTS...: one run of that side's gl-frames, its figures labelled
  local side=$1 binary=$before/build/bench/gl-frames
  shift
  [ "$side" = after ] && binary=$here/$build/bench/gl-frames
  on_xvfb "$binary" routine "$@" |
    sed -n -e "s/^| \([^|]*\) |\(.*\) |$/$side|\1|\2/p" \
      -e "s/^\([^:]*\): anonymous .*end of the sweep \([0-9]*\) kB, .* \([0-9]*\) kB$/\
$side|\1, memory|\2|\3/p"
}
for ((r = 1; r <= repetitions; r++)); do
  for scene in $scenes; do
    for side in before after; do run "$side" "$scene" | grep -v memory | tee -a "$runs"; done
  done
done
for side in before after; do run "$side" random --in-all 10000 | grep memory | tee -a "$runs"; done

median() {
  sort -g | awk '{v[NR] = $1}
    END {if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
echo
echo "Medians of $repetitions repetitions:"
cut -d'|' -f2 "$runs" | awk '!seen[$0]++' | while IFS= read -r label; do
  for side in before after; do
    row="$side | $label"
    columns=$(grep -F "$side|$label|" "$runs" | head -1 | awk -F'|' '{print NF}')
    for ((c = 3; c <= columns; c++)); do
      value=$(grep -F "$side|$label|" "$runs" | cut -d'|' -f"$c" | sed 's/ ms//; s/ (.*//' | median)
      row="$row | $value"
    done
    echo "$row"
  done
done
