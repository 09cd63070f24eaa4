#!/usr/bin/env bash
# Times evening out the loudness: decoding alone beside decoding and measuring, one line after
# another, over 1,000 WAV lines of 3 s of steady sound and of voice-like syllables and 1,000 MP3
# lines of a 2.5-s tone, and an export's measuring (on all cores, one gain per speaker) of 1,000
# and 10,000 lines, with peak memory.
#   bench/loudness-bench.sh [ROUNDS]        (after a release build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
bench="$root/build/release/bench/brisomel-loudness-bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" make "$work/1000" 1000
"$bench" make "$work/voice" 1000 voice
"$bench" make "$work/10000" 10000
# MP3 lines: the 2.5-s test tone, 1,000 times.
mkdir "$work/mp3"
for i in $(seq -w 1 1000); do
  cp "$root/tests/data/audio/tone-2500ms-48k.mp3" "$work/mp3/${i}_Hanako（normal）_line.mp3"
done
compare() { python3 "$root/bench/side-by-side.py" "$rounds" "$@"; }
echo "1,000 WAV lines of 3 s of steady noise and tones, one after another:"
compare "decode=$bench decode $work/1000" "decode and measure=$bench measure $work/1000"
echo "1,000 WAV lines of 3 s of voice-like syllables, one after another:"
compare "decode=$bench decode $work/voice" "decode and measure=$bench measure $work/voice"
echo "1,000 MP3 lines of 2.5 s, one after another:"
compare "decode=$bench decode $work/mp3" "decode and measure=$bench measure $work/mp3"
echo "An export's measuring:"
compare "1,000 lines=$bench gains $work/1000" "10,000 lines=$bench gains $work/10000"
