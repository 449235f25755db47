#!/usr/bin/env bash
# Installs the Debian packages this project needs: `install-deps.sh run` those that build
# and run the program, `install-deps.sh web` those that build the browser's page,
# `install-deps.sh release` those that build every release file and check that two builds
# are the same, `install-deps.sh audit` those of `make audit-web`, `install-deps.sh` (or
# `all`) also those of the tests and benchmarks.
# Idempotent: it installs only what is missing and does nothing when all is present.
set -euo pipefail

# The program: compiler, build tools, Xlib, OpenGL with Mesa, SDL2 for message boxes and
# the font they draw with, libpng for the build step that turns the icon into pixels;
# dpkg-dev for Debian's hardening flags (dpkg-buildflags) and, with file, for the package's
# dependencies (dpkg-shlibdeps).
packages=(
  g++ make cmake pkg-config dpkg-dev file
  libx11-dev libgl-dev libgl1-mesa-dri libglx-mesa0 libsdl2-dev xfonts-base libpng-dev
)
# The browser's page: Emscripten (with its node and clang).
web_packages=(emscripten)
# The Windows program and its releases: mingw-w64; icoutils packs its icon (from PNGs that
# rsvg-convert renders) and reads its resources back; wixl builds the installer, msitools
# and faketime fix its package code and dates, strip-nondeterminism the zip's metadata.
windows_packages=(
  g++-mingw-w64-x86-64-posix icoutils librsvg2-bin wixl msitools faketime strip-nondeterminism
)
# The release: git for the source tarball, diffoscope to explain two builds that differ.
release_packages=(git diffoscope-minimal)
# The page's accessibility checker (axe-core, for the tests) and Lighthouse (make audit-web)
# come from the npm registry, pinned in tests/web/audit/package-lock.json.
audit_packages=(chromium)
command -v npm >/dev/null 2>&1 || audit_packages+=(npm)
npm_modules=false
case "${1:-all}" in
  run) ;;
  web) packages=(make cmake "${web_packages[@]}") ;;
  release) packages+=("${web_packages[@]}" "${windows_packages[@]}" "${release_packages[@]}") ;;
  audit) packages=("${audit_packages[@]}"); npm_modules=true ;;
  all) npm_modules=true
    packages+=(
    "${web_packages[@]}" "${windows_packages[@]}" "${release_packages[@]}" "${audit_packages[@]}"
    # the page's tests and benchmark: headless Chromium driven by Selenium, screenshots read
    # with Pillow
    chromium chromium-driver python3-selenium python3-pil
    libxtst-dev
    googletest libgtest-dev libbenchmark-dev
    libcgal-dev
    xvfb xauth
    # a window manager for the end-to-end test of the program's window as a desktop frames it
    openbox
    # the end-to-end leak checks of the real program; valgrind cannot start on Debian without
    # the dynamic loader's symbols, which libc6-dbg holds
    valgrind libc6-dbg
    # the installed files' validators, the Debian package's (lintian) and the hardening
    # of its programs (hardening-check, in devscripts)
    desktop-file-utils appstream lintian devscripts
    # the icon's check; the README's animation
    imagemagick gifsicle
    # Wine to run the Windows program and its conformance suite in the tests
    wine wine64
    # `make fuzz`: clang with libFuzzer's runtime, and the symbolizer for its reports
    clang libclang-rt-14-dev llvm-14
    ) ;;
  *) echo "usage: install-deps.sh [run|web|release|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    run=()
  elif command -v sudo >/dev/null 2>&1; then
    run=(sudo)
  else
    echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${run[@]}" apt-get update -qq
  "${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The npm modules, again only when the lock file has changed since they were installed.
if $npm_modules; then
  audit=$(cd "$(dirname "$0")/../tests/web/audit" && pwd)
  if ! cmp -s "$audit/package-lock.json" "$audit/node_modules/.installed-lock.json"; then
    echo "Installing the npm modules of $audit/package-lock.json"
    (cd "$audit" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$audit/package-lock.json" "$audit/node_modules/.installed-lock.json"
  fi
fi
