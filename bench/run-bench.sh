#!/usr/bin/env bash
# Benchmarks of a release build, run by hand:
#  - the converter's start (--help) beside a program that only creates a QCoreApplication;
#  - converting 1,000 and 10,000 WAV lines with captions beside the I/O floor (a C loop that
#    opens every file of the folder and reads up to 64 KiB of it), with peak memory;
#  - converting 1,000 MP3 lines, also with the converter of BASELINE when it is given;
#  - the pipeline's stages in process (brisomel-bench) for 1,000 and 10,000 lines;
#  - breaking 10,000 captions into lines and splitting them (brisomel-wrap-bench).
#
#   bench/run-bench.sh [ROUNDS] [BASELINE_BUILD]   e.g. bench/run-bench.sh 11 /path/build/release
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
rounds="${1:-11}"
baseline="${2:-}"
build="$root/build/release"
(cd "$root" && cmake --preset release >/dev/null &&
  cmake --build build/release --target brisomel-cli brisomel-bench brisomel-qt-start-only \
    brisomel-read-floor brisomel-wrap-bench >/dev/null)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cli="$build/src/cli/brisomel-cli"
compare() { python3 "$root/bench/side-by-side.py" "$rounds" "$@"; }

echo "start"
compare "QCoreApplication only=$build/bench/brisomel-qt-start-only" "brisomel-cli --help=$cli --help"

for n in 1000 10000; do
  "$build/bench/brisomel-bench" --make "$n" "$work/wav$n"
  echo "$n WAV lines with captions"
  compare "I/O floor=$build/bench/brisomel-read-floor $work/wav$n" \
    "brisomel-cli=$cli -o $work/out.fcpxml $work/wav$n"
done

mkdir "$work/mp3"
for i in $(seq -w 0 999); do
  cp "$root/tests/data/audio/tone-1250ms-44k.mp3" "$work/mp3/${i}_Hanako（normal）_line.mp3"
  printf 'セリフ %s です。' "$i" >"$work/mp3/${i}_Hanako（normal）_line.txt"
done
echo "1000 MP3 lines with captions"
runs=("I/O floor=$build/bench/brisomel-read-floor $work/mp3" "brisomel-cli=$cli -o $work/out.fcpxml $work/mp3")
if [[ -n "$baseline" ]]; then
  runs+=("baseline brisomel-cli=$baseline/src/cli/brisomel-cli -o $work/base.fcpxml $work/mp3")
fi
compare "${runs[@]}"

for n in 1000 10000; do
  echo
  "$build/bench/brisomel-bench" "$n" "$work/wav$n"
done

echo
"$build/bench/brisomel-wrap-bench" 10000
