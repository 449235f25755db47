#!/bin/sh
# check_installer.sh STEP WINE WINESERVER PREFIX WIN32_BUILD VERSION PUBLISHER
# The Windows releases of the cross build WIN32_BUILD; ctest runs the steps in this order,
# the last three in the test run's Wine prefix:
#   files      the .exe holds the icon (16, 32, 48, 256 pixels) and the version resource;
#              the installer's product version is the same; the portable zip holds exactly
#              the released files
#   install    msiexec /i ... /qn installs exactly those files, the Start-menu shortcut with
#              the icon, and the entry under installed apps with version, publisher and icon
#   uninstall  msiexec /x ... /qn leaves the prefix's files and registry as before install
#   upgrade    a later version built from the same description replaces this one, this one
#              does not replace the later, and removing the later leaves nothing behind
set -u
LC_ALL=C
export LC_ALL
step=$1 wine=$2 wineserver=$3 prefix=$4 build=$5 version=$6 publisher=$7
files='LICENSE.txt README.txt voronoi-sweep.exe'
stage=$build/windows-package/voronoi-sweep
msi=$build/voronoi-sweep-$version-x64.msi
installed="$prefix/drive_c/Program Files/voronoi-sweep"
work=$prefix-installer
mkdir -p "$work"
# No display, no .NET or HTML engine installers, no menu entries on the host for the shortcut.
unset DISPLAY
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() { [ "$2" = "$3" ] || fail "$1: expected '$3', found '$2'"; }  # what, found, wanted

# The image sizes of an .ico, in one line.
icon_sizes() { icotool -l "$1" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' '; }
# The value of a key in the extracted version resource.
version_value() { strings -el "$work/version" | sed -n "/^$1\$/{n;p;q}"; }
# holds DIR: DIR has exactly the released files, each the one the build staged.
holds() {
  expect "files in $1" "$(ls "$1" | tr '\n' ' ')" "$files "
  for f in $files; do cmp -s "$1/$f" "$stage/$f" || fail "$1/$f is not the build's"; done
}
# registry ROOT NAME FIELD...: for each key under ROOT whose NAME is voronoi-sweep, its
# FIELDs joined by '|', one line per key.
registry() {
  "$wine" reg query "$1" /s | tr -d '\r' | awk -F '    ' -v name="$2" -v fields="$3" '
    /^HKEY/ { key = $0; next }
    NF >= 4 { value[key, $2] = $4; if ($2 == name && $4 == "voronoi-sweep") found[key] = 1 }
    END { n = split(fields, f, " ")
          for (k in found) { line = value[k, f[1]]; for (i = 2; i <= n; i++) line = line "|" value[k, f[i]]; print line } }'
}
installed_apps() { registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' DisplayName "$1"; }
unix_path() { printf '%s\n' "$1" | sed "s|^C:\\\\|$prefix/drive_c/|; s|\\\\|/|g"; }
# The prefix's files and every registry line that names the program.
snapshot() {
  "$wineserver" -w
  (cd "$prefix/drive_c" && find . -type f | sort)
  grep -ih voronoi "$prefix/system.reg" "$prefix/user.reg"
}
# unchanged_since NAME: the files and registry are as the snapshot NAME found them.
unchanged_since() {
  snapshot > "$work/now"
  diff "$work/$1" "$work/now" || fail "removal left the lines marked > above"
}
msiexec() { "$wine" msiexec "$@" /qn || fail "msiexec $* ended with status $?"; "$wineserver" -w; }

case $step in
files)
  cmp -s "$build/app/voronoi-sweep.exe" "$stage/voronoi-sweep.exe" || fail "the staged .exe is not the build's"
  wrestool -x -t 14 "$stage/voronoi-sweep.exe" > "$work/group.ico"
  expect "icon sizes in the .exe" "$(icon_sizes "$work/group.ico")" "16 32 48 256 "
  wrestool -x --raw -t 16 "$stage/voronoi-sweep.exe" > "$work/version"
  for key in FileVersion ProductVersion; do expect "$key" "$(version_value $key)" "$version"; done
  expect "the installer's ProductVersion" \
    "$(msiinfo export "$msi" Property | tr -d '\r' | awk -F '\t' '$1 == "ProductVersion" { print $2 }')" "$version"
  expect ProductName "$(version_value ProductName)" voronoi-sweep
  expect CompanyName "$(version_value CompanyName)" "$publisher"
  case $(version_value LegalCopyright) in *"$publisher"*MIT*) ;; *) fail "LegalCopyright names no MIT copyright" ;; esac
  rm -rf "$work/zip" && mkdir "$work/zip"
  (cd "$work/zip" && cmake -E tar xf "$build/voronoi-sweep-$version-win64.zip") || fail "the zip cannot be unpacked"
  expect "the zip's top level" "$(ls "$work/zip")" voronoi-sweep
  holds "$work/zip/voronoi-sweep"
  ;;
install)
  snapshot > "$work/before-install"
  msiexec /i "$msi"
  holds "$installed"
  # Wine puts an all-users install's shortcut into the user's Start menu, Windows into
  # ProgramData's: either is the Start menu.
  link=$(find "$prefix/drive_c" -path '*/Start Menu/Programs/*' -iname '*voronoi*')
  expect "Start-menu shortcuts" "$(printf '%s\n' "$link" | sed "s|.*/Start Menu/Programs/||")" voronoi-sweep.lnk
  strings -a "$link" | grep -qFx 'C:\Program Files\voronoi-sweep\voronoi-sweep.exe' ||
    fail "the shortcut does not start the installed program"
  link_icon=$(unix_path "$(strings -el "$link" | grep -io 'C:\\.*\.ico$')")
  expect "icon sizes of the shortcut" "$(icon_sizes "$link_icon")" "16 32 48 256 "
  expect "installed apps" "$(installed_apps 'DisplayVersion Publisher')" "$version|$publisher"
  app_icon=$(unix_path "$(registry 'HKLM\Software\Classes\Installer\Products' ProductName ProductIcon)")
  expect "icon sizes under installed apps" "$(icon_sizes "$app_icon")" "16 32 48 256 "
  ;;
uninstall)
  msiexec /x "$msi"
  unchanged_since before-install
  ;;
upgrade)
  snapshot > "$work/before-upgrade"
  later=$(echo "$version" | awk -F . '{ print $1 "." $2 "." $3 + 1 }')
  wixl --arch x64 --define Version="$later" --define ProductCode="$(cat /proc/sys/kernel/random/uuid)" \
       --output "$work/later.msi" "$build/windows-package/voronoi-sweep.wxs" ||
    fail "wixl cannot build version $later"
  msiexec /i "$msi"
  msiexec /i "$work/later.msi"
  expect "installed apps after the later version" "$(installed_apps DisplayVersion)" "$later"
  holds "$installed"
  "$wine" msiexec /i "$msi" /qn && fail "version $version replaced the later $later"
  "$wineserver" -w
  expect "installed apps after the earlier version" "$(installed_apps DisplayVersion)" "$later"
  msiexec /x "$work/later.msi"
  unchanged_since before-upgrade
  ;;
*) echo "usage: check_installer.sh files|install|uninstall|upgrade WINE WINESERVER PREFIX WIN32_BUILD VERSION PUBLISHER"; exit 2 ;;
esac
[ $failures -eq 0 ] && echo "$step: every check passed"
exit $((failures > 0))
