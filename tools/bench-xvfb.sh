#!/usr/bin/env bash
# A whole sweep of 199 random sites with real OpenGL, under a private Xvfb (Mesa's software
# renderer): the frame routine, then its literal reference. Usage: tools/bench-xvfb.sh BUILD_DIR
set -euo pipefail
build="${1:-build}"
for routine in production literal; do
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$build/bench/xvfb-sweep" "$routine"
done
