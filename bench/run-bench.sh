#!/usr/bin/env bash
# Runs the pipeline benchmark for 1,000 and 10,000 entries on a release build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$root" && cmake --preset release >/dev/null && cmake --build build/release --target brisomel-bench >/dev/null)
for n in 1000 10000; do
  "$root/build/release/bench/brisomel-bench" "$n"
  echo
done
