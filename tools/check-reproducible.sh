#!/usr/bin/env bash
# Builds the release of the checked-out commit twice, from two clones in two folders of
# different names and depths, with a different umask, time zone, locale and clock (the
# second runs three days ahead under faketime), and compares them: every file of
# SHA256SUMS must be the same. diffoscope explains any file that is not.
#   tools/check-reproducible.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$here" rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/voronoi-sweep-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT

# build FOLDER UMASK TZ LOCALE CLOCK...: a clone of the commit in FOLDER and its release.
build() {
  local folder=$1 mask=$2 zone=$3 locale=$4
  shift 4
  (
    umask "$mask"
    git clone -q "$here" "$folder"
    git -C "$folder" checkout -q --detach "$commit"
    cd "$folder"
    TZ=$zone LC_ALL=$locale "$@" ./tools/release.sh build-release dist >"$folder.log" 2>&1 ||
      { tail -30 "$folder.log" >&2; echo "check-reproducible: the build in $folder failed" >&2; exit 1; }
  )
}
first=$work/one/voronoi-sweep
second=$work/second-build/in/a/deeper/folder/vs
start=$SECONDS
build "$first" 022 UTC C.UTF-8 env
build "$second" 077 Pacific/Kiritimati C faketime -f +3d
echo "Two release builds of $(git -C "$here" rev-parse --short "$commit") in $((SECONDS - start)) s."

(cd "$first/dist" && sha256sum --check --quiet SHA256SUMS)
if cmp -s "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS"; then
  echo "Byte for byte the same:"
  cat "$first/dist/SHA256SUMS"
  exit 0
fi
echo "The two builds differ:" >&2
diff "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS" >&2 || true
for file in $(cd "$first/dist" && ls); do
  cmp -s "$first/dist/$file" "$second/dist/$file" ||
    diffoscope --text - "$first/dist/$file" "$second/dist/$file" | head -200 >&2 || true
done
exit 1
