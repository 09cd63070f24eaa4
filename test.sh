#!/usr/bin/env bash
# Installs what is missing, builds the release and the sanitizer presets and runs every test in both,
# runs the release suite once more through the portable I/O (as Windows lists folders and reads
# files), checks the Windows-only sources with MinGW and the CI workflows with actionlint, then
# makes the Debian package from the release build and checks what it installs.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
werror=OFF
if [ -n "${CI:-}" ]; then
  werror=ON
fi

jobs=$(nproc)
status=0
for preset in release release-portable debug-asan; do
  echo "== $preset =="
  cmake --preset "$preset" -DBRISOMEL_WERROR="$werror" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  if ! ctest --preset "$preset" -j "$jobs"; then
    status=1
  fi
done

echo "== windows sources =="
scripts/check-windows-sources.sh || status=1
echo "== workflows =="
scripts/lint-workflows.sh || status=1

# The Debian package, made from the release build above, on a system with dpkg; the tools the
# test needs beside it come from scripts/install-deps.sh, so a missing one is a failure.
echo "== package =="
if ! command -v dpkg >/dev/null; then
  echo "package test skipped: dpkg is not installed, so no Debian package can be made here"
elif ! tests/package/smoke-test.sh; then
  status=1
fi
exit $status
