#!/usr/bin/env bash
# The manifests of two made-up archives: none without a base address; with one, they pass the checker,
# and each hand-made fault below is rejected by it.
#   tests/release-manifests.sh SCRATCH_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(realpath -m "${1:?usage: release-manifests.sh SCRATCH_DIR}")
rm -rf "$scratch" && mkdir -p "$scratch/good" "$scratch/stage"
for f in x86 x64; do
  echo "$f program" >"$scratch/stage/Pathgrab.exe"
  (cd "$scratch/stage" && zip -q "$scratch/good/Pathgrabber-1.0.6.0-$f.zip" Pathgrab.exe)
done
status=0
said=$(PATHGRAB_RELEASE_BASE='' bash "$root/scripts/manifests.sh" "$scratch/good" 1.0.6.0)
[[ $said == *"PATHGRAB_RELEASE_BASE"* && ! -e $scratch/good/winget && ! -e $scratch/good/scoop ]] ||
  { echo "manifests: written, or not said why, without a base address: $said"; status=1; }
# Without its final slash: the archives' names still follow one.
PATHGRAB_RELEASE_BASE=https://example.org/pg/1.0.6.0 bash "$root/scripts/manifests.sh" "$scratch/good" 1.0.6.0 >/dev/null
check() { /usr/bin/python3 "$root/tests/check-manifests.py" "$1" https://example.org/pg/1.0.6.0/; }
check "$scratch/good" || { echo "manifests: the good ones are rejected"; status=1; }

w=winget/manifests/p/Pathgrabber/Pathgrabber/1.0.6.0/Pathgrabber.Pathgrabber
# rejected FILE SED_EXPRESSION WHAT: the good manifests with that one edit must fail the checker.
rejected() {
  rm -rf "$scratch/bad" && cp -r "$scratch/good" "$scratch/bad"
  sed -i "$2" "$scratch/bad/$1"
  if cmp -s "$scratch/good/$1" "$scratch/bad/$1"; then echo "manifests: the edit made no change: $3"; status=1
  elif check "$scratch/bad" >/dev/null; then echo "manifests: accepted with $3"; status=1; fi
}
rejected $w.installer.yaml 's/^PackageVersion: "1.0.6.0"$/PackageVersion: 1.10/' "a version YAML reads as a number"
rejected $w.yaml 's/^PackageVersion: "1.0.6.0"$/PackageVersion: 1.0.6.0/' "a version unquoted, still a string"
rejected $w.installer.yaml 's/^\(    InstallerSha256: [0-9A-F]*\)[0-9A-F]$/\1/' "a hash of 63 digits"
rejected $w.installer.yaml 's|^\(    InstallerUrl: .*/\)Pathgrabber-.*-x64\.zip$|\1|' "a URL that names no archive"
rejected $w.installer.yaml 's/Architecture: x86/Architecture: x64/' "two x64 installers"
rejected $w.installer.yaml 's/RelativeFilePath: Pathgrab.exe/RelativeFilePath: Pathgrabber.exe/' "a program the archives lack"
rejected $w.locale.en-US.yaml '/^License:/d' "the default locale without its licence"
rejected scoop/pathgrabber.json 's/-x86\.zip"/-x64.zip"/' "the 32-bit URL naming the x64 archive"
rejected scoop/pathgrabber.json 's/"hash": "[0-9a-f]*"/"hash": "'"$(printf '0%.0s' {1..64})"'"/' "a hash of no archive"
rejected scoop/pathgrabber.json 's/"hash": "\([0-9a-f]*\)[0-9a-f]"/"hash": "\1"/' "a Scoop hash of 63 digits"
[ $status -eq 0 ] && { echo "manifests: good ones pass, every fault rejected"; rm -rf "$scratch"; }
exit $status
