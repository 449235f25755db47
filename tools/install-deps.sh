#!/usr/bin/env bash
# Installs the Debian packages this project needs: `install-deps.sh run` those that build
# and run the program, `install-deps.sh web` those that build the browser's page,
# `install-deps.sh` (or `all`) also those of the tests and benchmarks.
# Idempotent: it installs only what is missing and does nothing when all is present.
set -euo pipefail

# The program: compiler, build tools, Xlib, OpenGL with Mesa, SDL2 for message boxes and
# the font they draw with, libpng for the build step that turns the icon into pixels.
packages=(
  g++ make cmake pkg-config
  libx11-dev libgl-dev libgl1-mesa-dri libglx-mesa0 libsdl2-dev xfonts-base libpng-dev
)
# The browser's page: Emscripten (with its node and clang).
web_packages=(emscripten)
case "${1:-all}" in
  run) ;;
  web) packages=(make cmake "${web_packages[@]}") ;;
  all) packages+=(
    "${web_packages[@]}"
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
    # the installed files' validators and the Debian package (dpkg-shlibdeps, lintian)
    desktop-file-utils appstream lintian dpkg-dev file
    # the icon's PNGs and their check; the README's animation
    librsvg2-bin imagemagick gifsicle
    # the Windows program, and Wine to run it and its conformance suite in the tests;
    # icoutils packs its icon and reads its resources back, wixl builds its installer
    g++-mingw-w64-x86-64-posix wine wine64 icoutils wixl
    # `make fuzz`: clang with libFuzzer's runtime, and the symbolizer for its reports
    clang libclang-rt-14-dev llvm-14
    ) ;;
  *) echo "usage: install-deps.sh [run|web|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

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
