#!/bin/sh
# make_prefix.sh WINE WINESERVER PREFIX: a fresh Wine prefix for one test run. Wine's first
# start in a prefix builds it (about 20 s); every later program in the run reuses it.
set -eu
wine=$1 wineserver=$2 prefix=$3
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wineserver" -k 2>/dev/null || true
rm -rf "$prefix"
# No display: nothing is shown while the prefix is built.
env -u DISPLAY "$wine" wineboot --init
# A crashing program ends instead of waiting in Wine's debugger.
"$wine" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f
"$wineserver" -w
test -f "$prefix/system.reg"
