#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Two builds of dealwise-study on the same deals, run by turns on one core so
# that the machine's noise falls on both alike: prints each run's wall time
# and the median of each build, and checks that both wrote the same CSV
# (bar the solver's time column).
#
#   bench/compare_study.sh OLD_PROGRAM NEW_PROGRAM [ROUNDS] -- STUDY_ARGUMENTS...
#   bench/compare_study.sh old/dealwise-study new/dealwise-study 5 -- --deals 100000 --draw 3
set -euo pipefail

old=$1 new=$2 rounds=3
shift 2
if [[ ${1:-} != -- ]]; then
    rounds=$1
    shift
fi
[[ ${1:-} == -- ]] && shift
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

declare -A times
for round in $(seq "$rounds"); do
    for build in old new; do
        program=${!build}
        start=$(date +%s.%N)
        taskset -c 0 "$program" --threads 1 "$@" --out "$work/$build" >/dev/null 2>&1
        end=$(date +%s.%N)
        seconds=$(echo "$end - $start" | bc -l)
        times[$build]+="$seconds "
        printf 'round %d  %-3s  %8.3f s\n' "$round" "$build" "$seconds"
    done
done

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
old_median=$(echo "${times[old]}" | median)
new_median=$(echo "${times[new]}" | median)
printf 'median  old %.3f s  new %.3f s  new/old %.3f\n' "$old_median" "$new_median" \
    "$(echo "$new_median / $old_median" | bc -l)"

# The solver's time column is the only one that may differ.
strip() { cut -d, -f1-6 "$1"; }
if cmp -s <(strip "$work/old/deals.csv") <(strip "$work/new/deals.csv"); then
    echo "deals.csv: the same rows from both builds"
else
    echo "deals.csv: the builds differ"
    exit 1
fi
