#!/usr/bin/env bash
# The Debian package built by CPack: its name, the dependencies the program needs at run
# time, exactly the expected files under /usr, and no error from lintian.
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
# What the program and its message box's helper need at run time: their libraries (from
# dpkg-shlibdeps), the box's font, and Mesa's drivers behind libGL.
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for needed in libc6 libstdc++6 libx11-6 libglx0 libopengl0 libsdl2-2.0-0 xfonts-base \
  libgl1-mesa-dri; do
  grep -qxF "$needed" <<<"$names" || { echo "Depends lacks $needed" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$scratch/root"
(cd "$scratch/root/usr" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) \
  >"$scratch/packaged"
LC_ALL=C sort "$expected" >"$scratch/expected"
diff -u "$scratch/expected" "$scratch/packaged"
[ -z "$(find "$scratch/root" -mindepth 1 -maxdepth 1 ! -name usr)" ]

{ lintian --fail-on error "$deb" 2>&1; } | { grep -v 'running with root privileges' || true; }
