#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up time and memory of Dealwise against a bare Qt program of the same
# build showing one empty window of the same size, on the offscreen platform
# and under Xvfb; then the QtTest benchmark of a card click and of Run.
# Each figure is a median over RUNS runs, the two programs taking turns.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-21}
HANDS=${HANDS:-10000}

bash scripts/setup.sh --bench
cmake --preset release >/dev/null
cmake --build --preset release --target dealwise_probe bare_window click_bench >/dev/null
bin=build/release/bench/windows

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Prints the milliseconds from process start to first paint.
startup_ms() {
    local start output
    start=$(date +%s%N)
    output=$("$@")
    echo "$output" | awk -v start="$start" '/^first_paint_ns/ { printf "%.3f\n", ($2 - start) / 1e6 }'
}

for_platform() {
    local platform=$1
    local dealwise=() bare=() text=()
    for _ in $(seq "$RUNS"); do
        dealwise+=("$(QT_QPA_PLATFORM=$platform startup_ms "$bin/dealwise_probe")")
        bare+=("$(QT_QPA_PLATFORM=$platform startup_ms "$bin/bare_window")")
        text+=("$(QT_QPA_PLATFORM=$platform startup_ms "$bin/bare_window" --text)")
    done
    local d b t
    d=$(printf '%s\n' "${dealwise[@]}" | median)
    b=$(printf '%s\n' "${bare[@]}" | median)
    t=$(printf '%s\n' "${text[@]}" | median)
    printf '%-10s start-up: dealwise %8.2f ms   bare Qt %8.2f ms   ratio %.3f   (budget 1.25)\n' \
        "$platform" "$d" "$b" "$(echo "$d / $b" | bc -l)"
    printf '%-10s           bare Qt with one label %8.2f ms: ratio %.3f\n' \
        "" "$t" "$(echo "$d / $t" | bc -l)"
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "runs per figure: $RUNS"
for_platform offscreen

Xvfb :97 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=:97 for_platform xcb

kb() { awk -v when="$1" '$1 == "memory" && $2 == when { sub("peak_kb=", "", $3); print $3 }'; }
bare_peak=() text_peak=() start_peak=() one_peak=() all_peak=()
for _ in $(seq 5); do
    bare_peak+=("$(QT_QPA_PLATFORM=offscreen "$bin/bare_window" | kb after_start)")
    text_peak+=("$(QT_QPA_PLATFORM=offscreen "$bin/bare_window" --text | kb after_start)")
    out=$(QT_QPA_PLATFORM=offscreen "$bin/dealwise_probe" "$HANDS")
    start_peak+=("$(echo "$out" | kb after_start)")
    one_peak+=("$(echo "$out" | kb after_1_hand)")
    all_peak+=("$(echo "$out" | kb after_all_hands)")
done
b=$(printf '%s\n' "${bare_peak[@]}" | median)
t=$(printf '%s\n' "${text_peak[@]}" | median)
s=$(printf '%s\n' "${start_peak[@]}" | median)
o=$(printf '%s\n' "${one_peak[@]}" | median)
a=$(printf '%s\n' "${all_peak[@]}" | median)
printf 'memory (offscreen, peak resident): bare Qt %d kB; dealwise after start-up %d kB (+%d kB, budget +4096)\n' \
    "$b" "$s" "$((s - b))"
printf '                                   bare Qt with one label %d kB: dealwise is +%d kB above it\n' \
    "$t" "$((s - t))"
printf '                                   after 1 hand %d kB; after %d hands %d kB (growth %d kB, budget 1024)\n' \
    "$o" "$HANDS" "$a" "$((a - o))"

echo "clicks (QtTest, offscreen, until repainted):"
QT_QPA_PLATFORM=offscreen "$bin/click_bench" -median 9 2>&1 | grep -E 'RESULT|msecs' | sed 's/^/  /'
