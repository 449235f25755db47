#!/bin/sh
# run_in_wine.sh WINE WINESERVER PREFIX PROGRAM.exe [ARGUMENTS...]: runs a Windows program
# in the prefix, ends Wine's processes after it, and exits with the program's status.
wine=$1 wineserver=$2 prefix=$3
shift 3
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" "$@"
status=$?
"$wineserver" -k 2>/dev/null
exit $status
