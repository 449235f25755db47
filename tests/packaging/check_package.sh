#!/usr/bin/env bash
# The Debian package built by CPack: its name, dependencies worked out by dpkg-shlibdeps,
# exactly the expected files under /usr, and no error from lintian.
#   check_package.sh BUILD_DIRECTORY EXPECTED_FILES VERSION
set -euo pipefail
build=$1
expected=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack --config CPackConfig.cmake -B "$scratch" >/dev/null)
deb="$scratch/voronoi-sweep_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no $deb; made: $(ls "$scratch")" >&2; exit 1; }

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
grep -q 'libc6 (>= ' <<<"$depends"

dpkg-deb -x "$deb" "$scratch/root"
(cd "$scratch/root/usr" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) \
  >"$scratch/packaged"
LC_ALL=C sort "$expected" >"$scratch/expected"
diff -u "$scratch/expected" "$scratch/packaged"
[ -z "$(find "$scratch/root" -mindepth 1 -maxdepth 1 ! -name usr)" ]

{ lintian --fail-on error "$deb" 2>&1; } | { grep -v 'running with root privileges' || true; }
