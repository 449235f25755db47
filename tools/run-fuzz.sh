#!/usr/bin/env bash
# Runs each fuzz target for a bounded time on a copy of its committed seed corpus, inside
# the fuzz build directory (the repository's corpus is never written), and fails when any
# target finds a crash, a sanitizer report, a leak or a hang.
#   tools/run-fuzz.sh BUILD_DIR SECONDS TARGET...
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1 seconds=$2
shift 2

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for target in "$@"; do
  corpus=$build/fuzz-corpus/$target
  artifacts=$build/fuzz-artifacts/$target
  log=$build/fuzz-$target.log
  rm -rf "$corpus" "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  cp tests/fuzz/corpus/"$target"/* "$corpus"/
  echo "fuzz: $target for ${seconds} s (log: $log)"
  # -timeout: an input that runs longer than this counts as a hang.
  if "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
       -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true
    grep -E 'stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" || true
  else
    echo "fuzz: $target FAILED; the input that failed is in $artifacts:" >&2
    ls "$artifacts" >&2
    grep -E -A30 'ERROR|runtime error|deadly signal|timeout' "$log" | head -60 >&2 || tail -40 "$log" >&2
    status=1
  fi
done
exit $status
