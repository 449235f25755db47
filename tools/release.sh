#!/usr/bin/env bash
# Builds the release of the checked-out commit into DIST: the Debian package, the Windows
# installer and portable zip, the web page, the source tarball, and SHA256SUMS over them.
# Every file is the same, byte for byte, whoever builds the same commit, wherever and
# whenever: the time is the commit's (SOURCE_DATE_EPOCH), and nothing of the builder's
# folders, clock, umask, time zone or locale gets in.
#   tools/release.sh BUILD_ROOT DIST      two folders inside the clone, both removed first
set -euo pipefail
build_root=${1-}
dist=${2-}
here=$(realpath "$(dirname "$0")/..")
cd "$here"

# Both folders are removed and made afresh, so a mistyped argument must not reach rm -rf:
# each must lie inside this clone and hold nothing git keeps (no source, not .git).
for folder in "$build_root" "$dist"; do
  resolved=$(realpath -m -- "${folder:-/}")
  case $resolved in
    "$here"/.git | "$here"/.git/*) ;;
    "$here"/?*) [ -z "$(git ls-files -- "$resolved")" ] && continue ;;
  esac
  echo "release: will not remove '$folder': give a folder inside $here that holds none of its files" >&2
  exit 2
done

if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: the working tree has changes that are not committed; a release is of a commit" >&2
  git status --short --untracked-files=no >&2
  exit 1
fi
# Debian's reproducible-builds conventions: one time for every stamp, and the rest fixed.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
umask 022
# Fresh folders: nothing of an earlier build (its settings, its dates) gets in.
rm -rf "$build_root"
linux=$build_root/linux windows=$build_root/windows web=$build_root/web

# The everyday builds' own rules, without their tests. A release is of the commit: no option
# of a make that called this one gets in.
unset MAKEFLAGS MFLAGS MAKELEVEL
make --no-print-directory PACKAGES=release CONFIGURE_OPTIONS=-DVS_BUILD_TESTS=OFF \
  BUILD="$linux" BUILD_WIN32="$windows" BUILD_WEB="$web" package msi zip web
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$linux/CMakeCache.txt")

rm -rf "$dist"
mkdir -p "$dist"
name=voronoi-sweep-$version
cp "$linux/voronoi-sweep_${version}_amd64.deb" "$windows/$name-x64.msi" "$windows/$name-win64.zip" \
  "$dist/"
cp "$web/voronoi-sweep.html" "$dist/$name.html"
git -c tar.umask=0022 archive --format=tar.gz --prefix="$name/" --output="$dist/$name.tar.gz" HEAD
(cd "$dist" && sha256sum -- * >SHA256SUMS)
echo "release $version of $(git rev-parse --short HEAD) in $dist/:"
cat "$dist/SHA256SUMS"
