#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The exact solver's time per deal on one core: solves deals FIRST ..
# FIRST + DEALS - 1 on one thread with dealwise-study --solve and prints its
# report line (winnable share, undecided count, median, 90th and 99th
# percentile and maximum time per deal), and the peak memory.
#
#   bench/solver_speed.sh [DEALS [SECONDS [DRAW [FIRST]]]]   (defaults: 1000 deals, 10 s, draw 3, from 1)
#
# DEALWISE_BUILD_DIR picks the build directory (default build/release).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deals=${1:-1000}
seconds=${2:-10}
draw=${3:-3}
first=${4:-1}
build=${DEALWISE_BUILD_DIR:-$root/build/release}

if [[ ! -f $build/CMakeCache.txt ]]; then
    (cd "$root" && cmake --preset release -B "$build")
fi
cmake --build "$build" --target dealwise-study >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
run=("$build/src/study/dealwise-study" --deals "$deals" --first "$first" --draw "$draw" --threads 1 --solve
     --solve-seconds "$seconds" --out "$out")
if [[ -x /usr/bin/time ]]; then
    /usr/bin/time -f "peak memory: %M kB" "${run[@]}" 2>&1 | grep -v '^QStandardPaths'
else
    "${run[@]}" 2>&1 | grep -v '^QStandardPaths'
fi
