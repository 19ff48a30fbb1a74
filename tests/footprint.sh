#!/usr/bin/env bash
# Checks the shipped executable: PE32, Windows GUI subsystem, stripped size within budget, and imports
# from the allowed system DLLs only. Prints the figures either way.
set -uo pipefail
exe=${1:?usage: footprint.sh Pathgrab.exe}
budget=$((256 * 1024))
allowed="KERNEL32.DLL USER32.DLL SHELL32.DLL OLE32.DLL MSVCRT.DLL"
objdump=i686-w64-mingw32-objdump

size=$(stat -c %s "$exe")
headers=$($objdump -p "$exe") || { echo "footprint: cannot read $exe"; exit 1; }
magic=$(awk '/^Magic/ {print $2}' <<<"$headers")
subsystem=$(awk '/^Subsystem/ {print $2}' <<<"$headers")
dlls=$(awk '/DLL Name:/ {print toupper($3)}' <<<"$headers" | sort -u | tr '\n' ' ')
symbols=$($objdump -t "$exe" 2>/dev/null | grep -c '^\[' || true)

echo "footprint: $size bytes (budget $budget), PE magic $magic, subsystem $subsystem, symbols $symbols"
echo "footprint: imports $dlls"
status=0
[ "$size" -le "$budget" ] || { echo "footprint: FAIL size $size over budget $budget"; status=1; }
[ "$magic" = "010b" ] || { echo "footprint: FAIL not PE32 (magic $magic)"; status=1; }
[ "$subsystem" = "00000002" ] || { echo "footprint: FAIL subsystem $subsystem is not Windows GUI"; status=1; }
[ "$symbols" -eq 0 ] || { echo "footprint: FAIL not stripped ($symbols symbols)"; status=1; }
for dll in $dlls; do
  case " $allowed " in *" $dll "*) ;; *) echo "footprint: FAIL new import $dll"; status=1 ;; esac
done
[ $status -eq 0 ] && echo "footprint: ok"
exit $status
