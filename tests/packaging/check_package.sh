#!/usr/bin/env bash
# The Debian package built by CPack: its name, the relations to what the program needs at
# run time, exactly the expected files under /usr, and no error from lintian.
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

dpkg-deb --field "$deb" Depends Recommends
# What the program and its message box's helper need at run time: their libraries (from
# dpkg-shlibdeps; the program takes its OpenGL entry points through GLX, so it links libGLX
# alone), Mesa's drivers behind it, and the box's font (recommended: Debian lets no package
# depend on a font package).
for need in Depends:libc6 Depends:libstdc++6 Depends:libx11-6 Depends:libglx0 \
  Depends:libsdl2-2.0-0 Depends:libgl1-mesa-dri Recommends:xfonts-base; do
  field=${need%%:*} name=${need#*:}
  dpkg-deb --field "$deb" "$field" | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//' |
    grep -xF "$name" >/dev/null || { echo "$field lacks $name" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$scratch/root"
(cd "$scratch/root/usr" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) \
  >"$scratch/packaged"
LC_ALL=C sort "$expected" >"$scratch/expected"
diff -u "$scratch/expected" "$scratch/packaged"
[ -z "$(find "$scratch/root" -mindepth 1 -maxdepth 1 ! -name usr)" ]

share=$scratch/root/usr/share
while IFS='|' read -r what shown; do
  [ "$shown" = "$version" ] || { echo "$what shows version '$shown', not $version" >&2; exit 1; }
done <<EOF
the package|$(dpkg-deb --field "$deb" Version)
the changelog|$(gzip -dc "$share/doc/voronoi-sweep/changelog.gz" | sed -n '1s/^voronoi-sweep (\([^)]*\)).*/\1/p')
the manual page|$(gzip -dc "$share/man/man1/voronoi-sweep.1.gz" | sed -n 's/^\.TH .*"voronoi-sweep \([^"]*\)".*/\1/p')
the AppStream release|$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$share"/metainfo/*.metainfo.xml)
EOF

# Every ELF file. Debian 12's C library start files carry no IBT/SHSTK property, so no
# program linked with them is marked for control-flow protection: that check is skipped.
elves=$(find "$scratch/root" -type f -exec sh -c 'file -b "$1" | grep -q "^ELF"' _ {} \; -print)
[ -n "$elves" ] || { echo "no ELF file in the package" >&2; exit 1; }
hardening-check --quiet --nocfprotection $elves

lintian --display-info "$deb" >"$scratch/lintian" 2>&1 || true
grep -v 'running with root privileges' "$scratch/lintian" || true
if grep -E '^E: |hardening' "$scratch/lintian" >/dev/null; then
  echo "lintian found errors or hardening tags" >&2
  exit 1
fi
