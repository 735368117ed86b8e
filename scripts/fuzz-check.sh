#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets of fuzz/ with clang in build/fuzz and runs each
# for a bounded time, starting from a copy of its committed seed corpus, so
# that what a run discovers never lands in the repository. Prints how many
# inputs each target ran; exits non-zero if any target crashed, leaked, hung,
# tripped a sanitizer or failed one of its properties.
#   FUZZ_SECONDS  seconds each target runs (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-30}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "fuzz-check: FUZZ_SECONDS must be a whole number of seconds above 0, not \"$seconds\"" >&2
    exit 2
fi
# The shared machine allows two jobs.
jobs=2
# Inputs up to 4 KiB hold many lines and tokens; longer ones mostly slow the
# search down.
max_len=4096
# An input running this long is stuck in a loop: the largest takes well
# under a millisecond.
hang_seconds=60
targets=(fuzz_card_parser fuzz_batch_reader fuzz_print_line fuzz_study_reader)

bash scripts/setup.sh

pick_compiler() {
    local candidate
    for candidate in clang++ clang++-14; do
        if command -v "$candidate" >/dev/null; then
            echo "$candidate"
            return
        fi
    done
}

probe_dir=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$probe_dir" "$work"' EXIT

# clang without its runtime libraries compiles but cannot link a fuzzer
# (Debian only recommends them), so try the whole thing on a trivial target.
fuzzer_links() {
    local cxx
    cxx=$(pick_compiler)
    [ -n "$cxx" ] || return 1
    printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
        'extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }' >"$probe_dir/probe.cpp"
    "$cxx" -std=c++20 -fsanitize=fuzzer,address,undefined "$probe_dir/probe.cpp" -o "$probe_dir/probe" 2>/dev/null
}

if ! fuzzer_links; then
    bash scripts/setup.sh --fuzz
    if ! fuzzer_links; then
        echo "fuzz-check: clang++ cannot link a libFuzzer target with the address and undefined-behaviour sanitizers" >&2
        exit 2
    fi
fi
cxx=$(pick_compiler)

echo "== build (build/fuzz, $cxx)"
cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build build/fuzz --parallel "$jobs"

# Crash inputs and logs stay in the build tree for a look afterwards.
results=build/fuzz/results
rm -rf "$results"
mkdir -p "$results"

export UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

failed=()
summary=()
for target in "${targets[@]}"; do
    echo "== $target, $seconds s"
    corpus="$work/$target"
    cp -R "fuzz/corpus/$target" "$corpus"
    mkdir -p "$results/$target"
    log="$results/$target.log"

    status=0
    "build/fuzz/$target" "$corpus" -max_total_time="$seconds" -max_len="$max_len" -timeout="$hang_seconds" \
        -print_final_stats=1 -artifact_prefix="$results/$target/" >"$log" 2>&1 || status=$?

    executions=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
    executions=${executions:-unknown}
    if [ "$status" -eq 0 ]; then
        summary+=("$target: $executions executions, no fault")
        echo "$executions executions, no fault"
        continue
    fi

    failed+=("$target")
    summary+=("$target: FAILED (exit status $status) after $executions executions")
    # The report from its first line: the sanitizer's shadow dump would push
    # it out of a plain tail.
    echo "$target failed with exit status $status; from its log ($log):" >&2
    first=$(grep -n -m 1 -E 'ERROR: |property failed|runtime error|deadly signal|Timeout|out-of-memory' "$log" | cut -d: -f1)
    sed -n "${first:-1},$((${first:-1} + 40))p" "$log" >&2
    for input in "$results/$target"/*; do
        [ -f "$input" ] || continue
        echo "input $input, in hex:" >&2
        od -An -tx1 -v "$input" | head -n 64 >&2
    done
done

echo "== summary"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz-check: ${failed[*]} failed" >&2
    exit 1
fi
