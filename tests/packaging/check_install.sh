#!/usr/bin/env bash
# An install into a scratch DESTDIR under a prefix of its own holds exactly the expected
# files, and the desktop entry and the AppStream metainfo pass their validators; so does the
# metainfo written with screenshot addresses.
#   check_install.sh BUILD_DIRECTORY EXPECTED_FILES APP_ID VERSION RELEASE_DATE
set -euo pipefail
build=$1
expected=$2
app_id=$3
version=$4
release_date=$5
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=/usr/local

DESTDIR="$scratch/root" cmake --install "$build" --prefix "$prefix" >/dev/null
tree="$scratch/root$prefix"
(cd "$tree" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$scratch/installed"
LC_ALL=C sort "$expected" >"$scratch/expected"
diff -u "$scratch/expected" "$scratch/installed"
[ -x "$tree/bin/voronoi-sweep" ]

# Hints count too (two main categories would list the program twice in a menu).
hints=$(desktop-file-validate "$tree/share/applications/voronoi-sweep.desktop")
[ -z "$hints" ] || { echo "$hints" >&2; exit 1; }
appstreamcli validate --no-net "$tree"/share/metainfo/*.metainfo.xml
# The tree: the metainfo's launchable finds its desktop entry.
appstreamcli validate-tree --no-net "$tree"

source_dir=$(dirname "$0")/../../data
cmake -DAPP_ID="$app_id" -DVERSION="$version" -DRELEASE_DATE="$release_date" \
  -DSCREENSHOT_URL=https://pictures.invalid/docs -DOUT="$scratch/with-screenshots.xml" \
  -P "$source_dir/write_metainfo.cmake"
grep -q 'https://pictures.invalid/docs/sweep-midway.png' "$scratch/with-screenshots.xml"
appstreamcli validate --no-net "$scratch/with-screenshots.xml"
