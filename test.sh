#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the
# portable core natively, the browser page in headless Chromium, the window
# tests and the Windows tool tests under Wine, for x86_64 (win64) and for
# i686 with the release's options (win32-tests). Without 32-bit Wine, or on
# a machine that runs no 32-bit program, the i686 programs are still built,
# and their Wine suites skipped with one warning line.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_packages
ensure_node
ensure_browser || true
ensure_web_test_modules || true
wine32=1
ensure_wine32 || wine32=0

for preset in native native-asan fuzz win32 win64 win32-tests; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
# The i686 Wine suites run the shipped programs only while both builds make
# the same ones.
scripts/same-programs.sh build/win32 build/win32-tests

ctest --preset native -j2
ctest --preset native-asan -j2
scripts/fuzz --runs 2000 --no-build

# One Wine server for both Windows builds' suites.
start_display
trap stop_display EXIT
ctest --preset win64 -j2
if [ "$wine32" -eq 1 ]; then
    ctest --preset win32-tests -j2
fi
