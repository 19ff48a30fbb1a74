#!/usr/bin/env bash
# Builds the release twice, from two copies of the source tree in folders of different names and
# depths, and requires identical executables, archives, sums and manifests, the manifests valid.
#   tests/release-repro.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
src=$(realpath "${1:?usage: release-repro.sh SOURCE_DIR SCRATCH_DIR}")
scratch=$(realpath -m "${2:?usage: release-repro.sh SOURCE_DIR SCRATCH_DIR}")
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct)}
export PATHGRAB_RELEASE_BASE=https://example.org/pathgrabber/releases/ PATHGRAB_HOMEPAGE=https://example.org/pathgrabber/
rm -rf "$scratch"
trees=("$scratch/a" "$scratch/second-tree/b")
for t in "${trees[@]}"; do
  mkdir -p "$t"
  # The files of the commit and what is being changed in the work tree, nothing the builds left.
  (cd "$src" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$t" 2>/dev/null || true)
  [ -f "$t/scripts/release.sh" ] || { echo "repro: copying the tree failed" >&2; exit 1; }
  bash "$t/scripts/release.sh" "$t/dist" >/dev/null
done
status=0
a=${trees[0]} b=${trees[1]}
for f in x86 x64; do
  cmp "$a/build/release-$f/app/Pathgrab.exe" "$b/build/release-$f/app/Pathgrab.exe" ||
    { echo "repro: the $f executables differ"; status=1; }
done
cmp "$a/dist/SHA256SUMS" "$b/dist/SHA256SUMS" || { echo "repro: the sums differ"; status=1; }
(cd "$b/dist" && sha256sum -c --quiet SHA256SUMS) || status=1
diff -r "$a/dist/winget" "$b/dist/winget" && diff -r "$a/dist/scoop" "$b/dist/scoop" ||
  { echo "repro: the manifests differ"; status=1; }
/usr/bin/python3 "$src/tests/check-manifests.py" "$b/dist" "$PATHGRAB_RELEASE_BASE" || status=1
cat "$a/dist/SHA256SUMS"
[ $status -eq 0 ] && { echo "repro: both builds identical"; rm -rf "$scratch"; }
exit $status
