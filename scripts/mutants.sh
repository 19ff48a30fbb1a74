#!/usr/bin/env bash
# Mutation check of the portable modules, on demand (not part of CI): shows what the host tier misses.
# Each mutant of the list (default scripts/mutants.txt; format in its header) is one exact edit. It is
# applied to a scratch copy of the tree, the host build is rebuilt, and the host tier is run: the mutant
# is killed when the build or a test fails, and survives when everything passes.
#   scripts/mutants.sh [MUTANT_LIST]     prints every mutant's outcome, the survivors and the score;
#                                        exits 1 when a mutant survives
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
list=$(realpath "${1:-scripts/mutants.txt}")
work=${PATHGRAB_MUTANTS_DIR:-$root/build-mutants}
src=$work/src
build=$work/build

if [ "$(id -u)" -eq 0 ]; then bash scripts/setup.sh --no-x86; else sudo bash scripts/setup.sh --no-x86; fi

# The tree as it stands (tracked files, with uncommitted edits), away from the working copy.
rm -rf "$src"
mkdir -p "$src"
git ls-files -z | xargs -0 cp --parents -t "$src"
CC=clang CXX=clang++ cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DPATHGRAB_WINDOWS=OFF >/dev/null

run_host_tier() {
  cmake --build "$build" -j"$(nproc)" --target unit_tests >"$work/build.log" 2>&1 || return 2
  ctest --test-dir "$build" -L host --timeout 300 >"$work/test.log" 2>&1 || return 1
}

echo "== unmutated tree"
if ! run_host_tier; then
  echo "the host tier fails without any mutant; see $work/build.log and $work/test.log" >&2
  exit 2
fi

total=0
killed=0
survivors=()
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in '' | '#'*) continue ;; esac
  file=${line%%$'\t'*}
  rest=${line#*$'\t'}
  original=${rest%%$'\t'*}
  replacement=${rest#*$'\t'}
  total=$((total + 1))
  label="#$total $file: '$original' -> '$replacement'"
  cp "$src/$file" "$work/pristine"
  if ! ORIGINAL=$original REPLACEMENT=$replacement perl -0777 -i -pe '
      my $n = () = /\Q$ENV{ORIGINAL}\E/g;
      die "found $n times, not once\n" unless $n == 1;
      s/\Q$ENV{ORIGINAL}\E/$ENV{REPLACEMENT}/;' "$src/$file"; then
    echo "mutant list error: $label" >&2
    exit 2
  fi
  outcome=0
  run_host_tier || outcome=$?
  # cp gives the file a new time stamp, so the next build compiles it again.
  cp "$work/pristine" "$src/$file"
  case $outcome in
  0)
    echo "SURVIVED $label"
    survivors+=("$label")
    ;;
  1)
    echo "killed   $label"
    killed=$((killed + 1))
    ;;
  2)
    echo "killed   $label (does not build)"
    killed=$((killed + 1))
    ;;
  esac
done <"$list"

echo
echo "survivors: ${#survivors[@]}"
for s in "${survivors[@]}"; do echo "  $s"; done
echo "score: $killed of $total killed ($((total ? 100 * killed / total : 0)) %)"
[ ${#survivors[@]} -eq 0 ]
