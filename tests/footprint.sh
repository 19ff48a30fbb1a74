#!/usr/bin/env bash
# Checks a flavour's shipped executable: PE32 (x86) or PE32+ (x64), Windows GUI subsystem, ASLR and DEP
# (and high-entropy ASLR on x64), no time stamp, stripped size within budget, and imports from the
# allowed system DLLs only. Prints the figures either way.
set -uo pipefail
flavour=${1:?usage: footprint.sh x86|x64 Pathgrab.exe}
exe=${2:?usage: footprint.sh x86|x64 Pathgrab.exe}
budget=$((256 * 1024))
# shell32 and ole32 are loaded from the system folder when needed, never imported: a DLL of their
# dependencies lying beside the program would be loaded at every start.
allowed="KERNEL32.DLL USER32.DLL MSVCRT.DLL"
case "$flavour" in
  x86) objdump=i686-w64-mingw32-objdump want_magic=010b want_flags="DYNAMIC_BASE NX_COMPAT" ;;
  x64) objdump=x86_64-w64-mingw32-objdump want_magic=020b want_flags="HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT" ;;
  *) echo "footprint: unknown flavour $flavour"; exit 2 ;;
esac

size=$(stat -c %s "$exe")
headers=$($objdump -p "$exe") || { echo "footprint: cannot read $exe"; exit 1; }
magic=$(awk '/^Magic/ {print $2}' <<<"$headers")
subsystem=$(awk '/^Subsystem/ {print $2}' <<<"$headers")
dlls=$(awk '/DLL Name:/ {print toupper($3)}' <<<"$headers" | sort -u | tr '\n' ' ')
symbols=$($objdump -t "$exe" 2>/dev/null | grep -c '^\[' || true)
# The flag names objdump lists under DllCharacteristics, and the header's time stamp (0 prints as 1970).
flags=$(awk '/^DllCharacteristics/ {on=1; next} on && /^\t\t\t\t\t/ {print $1; next} {on=0}' <<<"$headers" | tr '\n' ' ')
stamp=$(od -An -tu4 -j $(( $(od -An -tu4 -j 60 -N4 "$exe") + 8 )) -N4 "$exe" | tr -d ' ')

echo "footprint: $flavour, $size bytes (budget $budget), PE magic $magic, subsystem $subsystem, symbols $symbols"
echo "footprint: flags $flags, time stamp $stamp"
echo "footprint: imports $dlls"
status=0
[ "$size" -le "$budget" ] || { echo "footprint: FAIL size $size over budget $budget"; status=1; }
[ "$magic" = "$want_magic" ] || { echo "footprint: FAIL magic $magic, not $want_magic"; status=1; }
for f in $want_flags; do
  case " $flags " in *" $f "*) ;; *) echo "footprint: FAIL flag $f missing"; status=1 ;; esac
done
[ "$stamp" = 0 ] || { echo "footprint: FAIL the header carries a time stamp ($stamp), so no two builds match"; status=1; }
[ "$subsystem" = "00000002" ] || { echo "footprint: FAIL subsystem $subsystem is not Windows GUI"; status=1; }
[ "$symbols" -eq 0 ] || { echo "footprint: FAIL not stripped ($symbols symbols)"; status=1; }
for dll in $dlls; do
  case " $allowed " in *" $dll "*) ;; *) echo "footprint: FAIL new import $dll"; status=1 ;; esac
done
[ $status -eq 0 ] && echo "footprint: ok"
exit $status
