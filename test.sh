#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the
# portable core natively, the window tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_packages

for preset in native native-asan fuzz win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

ctest --preset native -j2
ctest --preset native-asan -j2
scripts/fuzz --runs 2000 --no-build

start_display
trap stop_display EXIT
ctest --preset win64 -j2
