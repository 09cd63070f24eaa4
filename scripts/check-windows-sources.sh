#!/usr/bin/env bash
# Checks the sources that only Windows builds with Debian's MinGW compiler: they use no Qt, so
# their syntax and their use of the Windows API are checked here (-fsyntax-only), and the
# manifest is checked as XML.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++
if ! command -v "$compiler" >/dev/null; then
  echo "$compiler is missing: scripts/install-deps.sh installs g++-mingw-w64-x86-64" >&2
  exit 1
fi
status=0
for source in src/platform/WindowsCalls.cpp src/platform/Terminal.cpp; do
  if ! "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -Isrc "$source"; then
    status=1
  fi
done
xmllint --noout src/platform/utf8.manifest || status=1
if [ $status -eq 0 ]; then
  echo "Windows sources: syntax checked with $compiler"
fi
exit $status
