#!/usr/bin/env bash
# Builds Brisomel when needed and runs it.
#   ./run.sh                      opens the window (converts the bundled example when there is
#                                 no display to open a window on)
#   ./run.sh FOLDER [options]     converts FOLDER with the command-line converter
#                                 (./run.sh --help lists the options)
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"

"$root/scripts/install-deps.sh"
(cd "$root" && cmake --preset release >/dev/null)
cmake --build "$root/build/release" -j "$(nproc)" --target brisomel brisomel-cli >/dev/null

bin="$root/build/release/src"
if [ $# -gt 0 ]; then
  exec "$bin/cli/brisomel-cli" "$@"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/app/brisomel"
fi

echo "No display to open the window on; converting the bundled example instead." >&2
"$bin/cli/brisomel-cli" -o "$PWD/Scene1.fcpxml" "$root/examples/Scene1"
echo "Wrote $PWD/Scene1.fcpxml" >&2
