#!/usr/bin/env bash
# Installs what is missing, builds Dealwise and runs every test: in the
# normal build and under the address and undefined-behaviour sanitizers; then
# the Debian package check, the Windows build check and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --packaging --windows --fuzz
export QT_QPA_PLATFORM=offscreen
for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" --parallel "$(nproc)"
done

echo "== Debian package"
bash scripts/package-check.sh
echo "== Windows build"
bash scripts/windows-check.sh
echo "== Fuzzing, ${FUZZ_SECONDS:-30} s a target"
bash scripts/fuzz-check.sh
