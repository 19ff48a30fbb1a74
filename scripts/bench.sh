#!/usr/bin/env bash
# Pathgrabber's performance figures in one run: builds a Release tree of its own (build-perf: the host
# micro-benchmarks without sanitizers, the Windows program as it ships), starts a private Wine rig, runs
# the start-up and list benchmarks (each program alternated with its floor; the list both in process and
# end to end, from the key in the menu to the program's end) and the host
# micro-benchmarks, and prints the tables. No figure is asserted; a benchmark fails only when a run
# put the wrong text on the clipboard.
#   scripts/bench.sh [START_ROUNDS [LIST_ROUNDS]]      defaults: 21 and 15
# The x86 flavour where this machine runs 32-bit code, else x64; BENCH_FLAVOUR=x86|x64 chooses.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
start_rounds=${1:-21}
list_rounds=${2:-15}
perf=$root/build-perf
harness=$root/tests/wine/harness.sh
flavour=${BENCH_FLAVOUR:-$("$harness" can-run-x86 >/dev/null && echo x86 || echo x64)}
case $flavour in x86) toolchain=mingw-i686 ;; x64) toolchain=mingw-x86_64 ;; *) echo "bench: BENCH_FLAVOUR is x86 or x64" >&2; exit 2 ;; esac

"$root/scripts/setup.sh" >/dev/null
echo "bench: building in $perf" >&2
cmake -S "$root" -B "$perf/host" -DCMAKE_BUILD_TYPE=Release -DPATHGRAB_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$perf/host" -j2 --target micro_bench >/dev/null
win=$perf/win-$flavour
cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$win" -j2 --target Pathgrab keepalive FloorStart FloorStartCom FloorStamped PathgrabStamped \
  FloorList StartBench ListBench >/dev/null

rig=$perf/wine-rig-$flavour
"$harness" start "$rig" "$flavour" "$win/tests/keepalive.exe" >&2
trap '"$harness" stop "$rig" >&2' EXIT
winpath() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
echo "Machine: $(nproc) cores, $cpu; $(/usr/lib/wine/wine64 --version); $(date -u '+%Y-%m-%d %H:%M UTC'); the $flavour flavour"
echo
echo "| figure | median | spread (p25-p75) | floor median | floor spread | ratio | ratio p25-p75 | goal |"
echo "|---|---|---|---|---|---|---|---|"
status=0
start=$("$harness" run "$rig" "$win/bench/StartBench.exe" "$(winpath "$win/app/Pathgrab.exe")" \
  "$(winpath "$win/bench/FloorStart.exe")" "$(winpath "$win/bench/FloorStartCom.exe")" "$start_rounds" \
  "$(winpath "$win/bench/PathgrabStamped.exe")" "$(winpath "$win/bench/FloorStamped.exe")") || status=1
grep '^| [a-z -]*:' <<<"$start" || true
list=$("$harness" run "$rig" "$win/bench/ListBench.exe" "$list_rounds" "$(winpath "$win/app/Pathgrab.exe")" \
  "$(winpath "$win/bench/FloorList.exe")" "$(winpath "$win/bench/PathgrabStamped.exe")") || status=1
grep '^|' <<<"$list" || true
echo
grep -v '^|' <<<"$list" | sed 's/^/    /' || true
echo
echo "Start-up split (stamped builds of Pathgrab.exe and the floor, alternated):"
echo
grep -v '^| [a-z -]*:' <<<"$start" | sed '/^$/d' || true

echo
"$root/tests/footprint.sh" "$flavour" "$win/app/Pathgrab.exe" | sed 's/^/    /' || status=1

echo
echo "| host micro-benchmark | median | stddev |"
echo "|---|---|---|"
"$perf/host/bench/micro_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 --benchmark_format=csv 2>/dev/null |
  awk -F, '
    function ns(v, u) { return u == "ms" ? v * 1e6 : u == "us" ? v * 1e3 : u == "s" ? v * 1e9 : v }
    function show(v) { return v >= 1e6 ? sprintf("%.2f ms", v / 1e6) : v >= 1e3 ? sprintf("%.2f us", v / 1e3) : sprintf("%.1f ns", v) }
    { name = $1; gsub(/"/, "", name) }
    name ~ /_median$/ { sub(/_median$/, "", name); median[name] = ns($3, $5); order[++n] = name }
    name ~ /_stddev$/ { sub(/_stddev$/, "", name); sd[name] = ns($3, $5) }
    END { for (i = 1; i <= n; i++) { k = order[i]; printf "| %s | %s | %s |\n", k, show(median[k]), show(sd[k]) } }'
exit $status
