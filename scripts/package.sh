#!/usr/bin/env bash
# Builds the release preset and makes the Debian package build/package/brisomel_VERSION_ARCH.deb,
# then prints its path. Install it with: sudo apt install ./build/package/brisomel_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" >/dev/null
# Only the package of this build is left in the folder.
rm -rf build/package
cpack --config build/release/CPackConfig.cmake -B build/package >/dev/null
# cpack's own working copy of the installation is of no further use.
rm -rf build/package/_CPack_Packages
echo "$PWD/$(ls build/package/brisomel_*.deb)"
