#!/usr/bin/env bash
# Installs what is missing, builds the release and the sanitizer presets and runs every test in both,
# then makes the Debian package from the release build and checks what it installs.
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
for preset in release debug-asan; do
  echo "== $preset =="
  cmake --preset "$preset" -DBRISOMEL_WERROR="$werror" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  if ! ctest --preset "$preset" -j "$jobs"; then
    status=1
  fi
done

# The Debian package, made from the release build above, where dpkg can make one.
if command -v dpkg-deb >/dev/null; then
  echo "== package =="
  if ! tests/package/smoke-test.sh; then
    status=1
  fi
fi
exit $status
