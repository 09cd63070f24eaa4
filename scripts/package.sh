#!/usr/bin/env bash
# Builds the release preset and makes the Debian package build/package/brisomel_VERSION_ARCH.deb,
# then prints its path. Install it with: sudo apt install ./build/package/brisomel_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."

# What the steps print goes to stderr, so that stdout holds the package's path alone.
./scripts/install-deps.sh >&2
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" >&2
# Only the package of this build is left in the folder.
rm -rf build/package
cpack --config build/release/CPackConfig.cmake -B build/package >&2
# cpack's own working copy of the installation is of no further use.
rm -rf build/package/_CPack_Packages
echo "$PWD/$(ls build/package/brisomel_*.deb)"
