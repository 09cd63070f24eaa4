#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs one of them with its seed corpus.
#   scripts/fuzz.sh TARGET SECONDS     TARGET: caption, audio, names, writers, numbers or styles
# New inputs that grow coverage go to build/fuzz/corpus/TARGET; crashes to build/fuzz/findings.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?usage: scripts/fuzz.sh TARGET SECONDS}"
seconds="${2:-60}"

"$root/scripts/install-deps.sh"
(cd "$root" && cmake --preset fuzz >/dev/null && cmake --build --preset fuzz --target "fuzz_$target" >/dev/null)

work="$root/build/fuzz"
mkdir -p "$work/corpus/$target" "$work/findings"
export BRISOMEL_FCPXML_DTD="${BRISOMEL_FCPXML_DTD:-$root/../shared/fcpxml/FCPXMLv1_9.dtd}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
exec "$work/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/findings/$target-" -print_final_stats=1 \
  "$work/corpus/$target" "$root/fuzz/corpus/$target"
