#!/usr/bin/env bash
# tools/release.sh removes its two folders before it builds: it must refuse one that is
# empty, /, the clone, outside it, or git's (.git, sources), and take folders of its own
# inside the clone, as check-reproducible gives it. The scratch clone has an uncommitted
# change, so a folder taken stops at that refusal: nothing is ever built or removed.
#   check_release_folders.sh RELEASE_SH
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
clone=$scratch/clone
mkdir -p "$clone/tools" "$scratch/outside"
cp "$1" "$clone/tools/release.sh"
git -C "$clone" init -q
git -C "$clone" add tools
git -C "$clone" -c user.name=test -c user.email=test@invalid commit -qm scratch
echo >>"$clone/tools/release.sh"
ln -s "$scratch/outside" "$clone/link-out"

# refused|taken BUILD_ROOT DIST
cases=(
  "refused||dist" "refused|build-release|" "refused|/|dist" "refused|.|dist"
  "refused|$clone|dist" "refused|..|dist" "refused|../outside|dist" "refused|$scratch/outside|dist"
  "refused|link-out|dist" "refused|.git|dist" "refused|.git/objects|dist" "refused|tools|dist"
  "refused|build-release|tools/../.." "taken|build-release|dist" "taken|a/deeper/b|$clone/dist"
  "taken|$clone/../clone/x|dist"
)
failures=0
for case in "${cases[@]}"; do
  IFS='|' read -r want root dist <<<"$case"
  message=$(cd "$clone" && tools/release.sh "$root" "$dist" 2>&1) && status=0 || status=$?
  pattern="will not remove"
  [ "$want" = refused ] || pattern="not committed"
  if [ "$status" = 0 ] || ! grep -q "$pattern" <<<"$message"; then
    echo "release.sh '$root' '$dist': expected $want, got status $status: $message" >&2
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
