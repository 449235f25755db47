#!/usr/bin/env bash
# release.sh removes its two folders first: it must refuse all but its own inside the clone
# and take those check-reproducible gives it. The scratch clone has an uncommitted change,
# so a folder taken stops at that refusal: nothing is ever built or removed.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
clone=$scratch/clone
mkdir -p "$clone/tools" && cp "$1" "$clone/tools/release.sh" && ln -s "$scratch" "$clone/out"
git -C "$clone" init -q && git -C "$clone" add tools
git -C "$clone" -c user.name=t -c user.email=t@invalid commit -qm scratch && echo >>"$clone/tools/release.sh"
failures=0
for case in "will not||dist" "will not|x|" "will not|/|dist" "will not|$clone|dist" \
  "will not|../x|dist" "will not|out/x|dist" "will not|.git|dist" "will not|x|tools" \
  "not committed|build-release|dist" "not committed|a/b|$clone/dist"; do
  IFS='|' read -r want root dist <<<"$case"
  got=$(cd "$clone" && tools/release.sh "$root" "$dist" 2>&1 || true)
  grep -q "$want" <<<"$got" || { echo "'$root' '$dist': not '$want' but: $got" >&2; failures=1; }
done
exit $failures
