#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Dealwise and runs every test: in the
# normal build and under the address and undefined-behaviour sanitizers; then
# a sharded study on a single-node Slurm cluster, the Debian package check,
# the Windows build check and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --packaging --windows --fuzz --slurm
bash scripts/spdx-check.sh
export QT_QPA_PLATFORM=offscreen
for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" --parallel "$(nproc)"
done

echo "== A sharded study on a Slurm cluster"
bash scripts/slurm-check.sh build/default/src/study/dealwise-study

echo "== Debian package"
bash scripts/package-check.sh
echo "== Windows build"
bash scripts/windows-check.sh
echo "== Fuzzing, ${FUZZ_SECONDS:-30} s a target"
bash scripts/fuzz-check.sh
