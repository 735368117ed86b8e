#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times `dealwise-score --batch` from the release build on random hands and
# prints hands per second and the peak resident set size of each run.
#
#   bench/batch_throughput.sh [HANDS [RUNS]]      (defaults: 1000000 hands, 3 runs)
#
# DEALWISE_BUILD_DIR picks the build directory (default build/release, the
# release preset's); DEALWISE_CONFIGURE_ARGS adds cmake arguments for the
# first configure, e.g. -DDEALWISE_WINDOWS=OFF on a machine without Qt.
# The hands come from dealwise_random_hands with a fixed seed, so every run
# on every machine scores the same bytes.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
hands=${1:-1000000}
runs=${2:-3}
build=${DEALWISE_BUILD_DIR:-$root/build/release}

if [[ ! -f $build/CMakeCache.txt ]]; then
    # shellcheck disable=SC2086 # the extra arguments are meant to split
    (cd "$root" && cmake --preset release -B "$build" ${DEALWISE_CONFIGURE_ARGS:-})
fi
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
if [[ $build_type != Release ]]; then
    echo "batch_throughput.sh: $build is a '$build_type' build; timings are meant for Release" >&2
fi
# Only the two programs: the rest of the tree need not build for this.
cmake --build "$build" --target dealwise-score dealwise_random_hands >/dev/null

find_program() {
    find "$build" -type f -name "$1" -perm -u+x -print -quit
}
program=$(find_program dealwise-score)
generator=$(find_program dealwise_random_hands)
if [[ -z $program || -z $generator ]]; then
    echo "batch_throughput.sh: dealwise-score or dealwise_random_hands not found under $build" \
        "(dealwise_random_hands needs Google Benchmark to be found)" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generator" "$hands" >"$work/hands.txt"
input_bytes=$(wc -c <"$work/hands.txt")

if [[ -x /usr/bin/time ]]; then
    rss_method="/usr/bin/time -v (maximum resident set size)"
else
    rss_method="VmHWM from /proc/PID/status, sampled every 10 ms (a lower bound)"
fi

# Runs the scorer once; sets elapsed_ns and peak_kb.
run_once() {
    local start end
    start=$(date +%s%N)
    if [[ -x /usr/bin/time ]]; then
        /usr/bin/time -v -o "$work/time.txt" "$program" --batch <"$work/hands.txt" >"$work/scores.txt"
        end=$(date +%s%N)
        peak_kb=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' "$work/time.txt")
    else
        "$program" --batch <"$work/hands.txt" >"$work/scores.txt" &
        local pid=$! sample
        peak_kb=0
        while kill -0 "$pid" 2>/dev/null; do
            sample=$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null || true)
            if [[ -n $sample && $sample -gt $peak_kb ]]; then
                peak_kb=$sample
            fi
            sleep 0.01
        done
        wait "$pid"
        end=$(date +%s%N)
    fi
    elapsed_ns=$((end - start))
    local scored
    scored=$(wc -l <"$work/scores.txt")
    if [[ $scored -ne $hands ]]; then
        echo "batch_throughput.sh: $scored scores for $hands hands" >&2
        exit 1
    fi
}

echo "program:   $program"
echo "input:     $hands hands, $input_bytes bytes"
echo "cpu:       $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1), $(nproc) cores online"
echo "peak RSS:  $rss_method"
best_ns=
for ((run = 1; run <= runs; run++)); do
    run_once
    awk -v n="$hands" -v ns="$elapsed_ns" -v kb="$peak_kb" -v r="$run" \
        'BEGIN { printf "run %d:     %.3f s  %.0f hands/s  peak RSS %d KiB\n", r, ns / 1e9, n / (ns / 1e9), kb }'
    if [[ -z $best_ns || $elapsed_ns -lt $best_ns ]]; then
        best_ns=$elapsed_ns
    fi
done
awk -v n="$hands" -v ns="$best_ns" 'BEGIN { printf "best:      %.0f hands/s\n", n / (ns / 1e9) }'
