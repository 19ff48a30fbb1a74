#!/usr/bin/env bash
# Writes the package managers' manifests for the archives in DIST (release.sh calls it last):
#   DIST/winget/manifests/p/Pathgrabber/Pathgrabber/<version>/   winget's multi-file manifest, as its
#                                                               community repository lays it out
#   DIST/scoop/pathgrabber.json                                 a Scoop app manifest
#   PATHGRAB_RELEASE_BASE=https://.../ [PATHGRAB_HOMEPAGE=https://...] scripts/manifests.sh DIST VERSION
# The archives' names are appended to the base address, which says where they will be downloaded from;
# without it nothing is written. The same archives and addresses give the same bytes.
set -euo pipefail
dist=${1:?usage: manifests.sh DIST VERSION}
version=${2:?usage: manifests.sh DIST VERSION}
base=${PATHGRAB_RELEASE_BASE:-}
rm -rf "$dist/winget" "$dist/scoop"
if [ -z "$base" ]; then
  echo "release: no winget or Scoop manifest written: PATHGRAB_RELEASE_BASE (where the archives will be downloaded from) is not set"
  exit 0
fi
# Written into YAML and JSON as they stand: no space, quote or backslash, which would need escaping.
url_ok() { [[ $1 =~ ^https?://[^[:space:]\"\'\\]+$ ]]; }
url_ok "$base" || { echo "release: PATHGRAB_RELEASE_BASE is no http(s) address: $base" >&2; exit 1; }
[[ $base == */ ]] || base+=/
homepage=${PATHGRAB_HOMEPAGE:-$base}
url_ok "$homepage" || { echo "release: PATHGRAB_HOMEPAGE is no http(s) address: $homepage" >&2; exit 1; }

name() { echo "Pathgrabber-$version-$1.zip"; }
sha() { sha256sum "$dist/$(name "$1")" | cut -d' ' -f1; }
for f in x86 x64; do [ -f "$dist/$(name $f)" ] || { echo "release: $dist/$(name $f) missing" >&2; exit 1; }; done
x86=$(sha x86) x64=$(sha x64)

id=Pathgrabber.Pathgrabber
dir=$dist/winget/manifests/p/Pathgrabber/Pathgrabber/$version
mkdir -p "$dir" "$dist/scoop"
# Every version in double quotes: YAML reads 1.10 as a number, which the schemas then refuse.
# shellcheck disable=SC2016 # $schema is text for the editor, not a variable
header() { printf '# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.1.12.0.schema.json\n\n' "$1"; }
{
  header version
  cat <<EOF
PackageIdentifier: $id
PackageVersion: "$version"
DefaultLocale: en-US
ManifestType: version
ManifestVersion: "1.12.0"
EOF
} >"$dir/$id.yaml"
{
  header installer
  cat <<EOF
PackageIdentifier: $id
PackageVersion: "$version"
InstallerType: zip
NestedInstallerType: portable
NestedInstallerFiles:
  - RelativeFilePath: Pathgrab.exe
    PortableCommandAlias: pathgrab
Installers:
  - Architecture: x86
    InstallerUrl: $base$(name x86)
    InstallerSha256: ${x86^^}
  - Architecture: x64
    InstallerUrl: $base$(name x64)
    InstallerSha256: ${x64^^}
ManifestType: installer
ManifestVersion: "1.12.0"
EOF
} >"$dir/$id.installer.yaml"
# locale TYPE LOCALE SHORT_DESCRIPTION INSTALLATION_NOTES
locale() {
  header "$1"
  cat <<EOF
PackageIdentifier: $id
PackageVersion: "$version"
PackageLocale: $2
Publisher: the Pathgrabber authors
PackageName: Pathgrabber
PackageUrl: $homepage
License: MIT
ShortDescription: "$3"
InstallationNotes: "$4"
ManifestType: $1
ManifestVersion: "1.12.0"
EOF
}
locale defaultLocale en-US \
  "Copies the paths of files sent to it through Explorer's Send To menu, in the form you pick." \
  "To add Pathgrabber to Send To, run pathgrab once and answer Yes. Before winget uninstall, run pathgrab again and answer Yes to take it out; uninstalling alone leaves the Send To shortcut." \
  >"$dir/$id.locale.en-US.yaml"
locale locale ja-JP \
  "エクスプローラーの「送る」から送ったファイルのパスを、選んだ形でクリップボードにコピーします。" \
  "「送る」に加えるには、pathgrab を一度実行して「はい」を選びます。winget uninstall の前に pathgrab をもう一度実行して「はい」を選ぶと、「送る」から外れます。アンインストールだけでは「送る」のショートカットが残ります。" \
  >"$dir/$id.locale.ja-JP.yaml"

# Scoop runs pre_uninstall in PowerShell: it deletes the shortcuts in Send To that start Pathgrab.exe,
# as the program itself does on its delete question (-eq compares without letter case); a shortcut that
# cannot be read is left, as the program leaves it. Scoop runs it before an update too ($cmd is then
# "update"), and the shortcut stays then: it reaches the program through the app's "current" folder.
cat >"$dist/scoop/pathgrabber.json" <<EOF
{
    "version": "$version",
    "description": "Copies the paths of files sent to it through Explorer's Send To menu, in the form you pick.",
    "homepage": "$homepage",
    "license": "MIT",
    "architecture": {
        "64bit": {
            "url": "$base$(name x64)",
            "hash": "$x64"
        },
        "32bit": {
            "url": "$base$(name x86)",
            "hash": "$x86"
        }
    },
    "bin": [
        [
            "Pathgrab.exe",
            "pathgrab"
        ]
    ],
    "notes": [
        "To add Pathgrabber to Send To, run 'pathgrab' once and answer Yes.",
        "Before uninstalling, run 'pathgrab' again and answer Yes to take it out of Send To."
    ],
    "pre_uninstall": [
        "if (\$cmd -eq 'uninstall') {",
        "    \$sendTo = [Environment]::GetFolderPath('SendTo')",
        "    \$shell = New-Object -ComObject WScript.Shell",
        "    Get-ChildItem -LiteralPath \$sendTo -Filter '*.lnk' -File -Force | Where-Object { try { [IO.Path]::GetFileName(\$shell.CreateShortcut(\$_.FullName).TargetPath) -eq 'Pathgrab.exe' } catch { \$false } } | Remove-Item -Force",
        "}"
    ]
}
EOF
echo "release: $dir"
echo "release: $dist/scoop/pathgrabber.json"
