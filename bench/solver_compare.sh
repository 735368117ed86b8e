#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Two builds of dealwise-study solving the same deals at the same time limit,
# run side by side on a core each (taskset, one thread), so that the
# machine's load falls on both alike. Prints, for each build, the deals left
# undecided, the median and mean solver time a deal and the CPU time of the
# whole run; then how the verdicts compare, deal by deal. A won deal called
# lost, or a lost one won, is a fault and fails the script; a deal only one
# build decided is listed.
#
#   bench/solver_compare.sh OLD_PROGRAM NEW_PROGRAM [DEALS [SECONDS [FIRST [DRAW]]]]
#   bench/solver_compare.sh /tmp/solver-old/dealwise-study build/release/src/study/dealwise-study 300 10
#
# HARD="275 389 5890" also solves those deals, one study run each, the same way.
# CORE=N runs the two builds by turns on core N instead, for when the other
# core is busy.
set -euo pipefail

old=$1 new=$2
deals=${3:-300}
seconds=${4:-10}
first=${5:-1}
draw=${6:-3}
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name program core first count
study() {
    local out=$work/$1-$4
    /usr/bin/time -f '%U %S' -o "$out.time" taskset -c "$3" "$2" --deals "$5" --first "$4" --draw "$draw" \
        --threads 1 --solve --solve-seconds "$seconds" --out "$out" >/dev/null 2>&1
}

# Both builds at once on cores 0 and 1 where there are two; else by turns.
both() {
    if [[ -n ${CORE:-} ]]; then
        study old "$old" "$CORE" "$1" "$2"
        study new "$new" "$CORE" "$1" "$2"
    elif [[ $(nproc) -ge 2 ]]; then
        study old "$old" 0 "$1" "$2" &
        study new "$new" 1 "$1" "$2" &
        wait
    else
        study old "$old" 0 "$1" "$2"
        study new "$new" 0 "$1" "$2"
    fi
}

report() { # name first
    local csv=$work/$1-$2/deals.csv
    local cpu
    cpu=$(awk '{print $1 + $2}' "$work/$1-$2.time")
    local median
    median=$(tail -n +2 "$csv" | cut -d, -f7 | sort -g |
        awk '{ t[NR] = $1 } END { print NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }')
    tail -n +2 "$csv" | awk -F, -v name="$1" -v cpu="$cpu" -v median="$median" '
        { n++; sum += $7; if ($6 == "") u++; else if ($6 == "1") w++; else l++ }
        END {
            printf "%-4s %d deals: %d won, %d lost, %d undecided; solver time a deal: median %.3f ms, mean %.1f ms; CPU %.1f s\n",
                name, n, w, l, u, median, sum / n, cpu
        }'
}

verdicts() { # first
    join -t, <(tail -n +2 "$work/old-$1/deals.csv" | cut -d, -f1,6 | sort -t, -k1,1) \
        <(tail -n +2 "$work/new-$1/deals.csv" | cut -d, -f1,6 | sort -t, -k1,1) |
        awk -F, '
            $2 != "" && $3 != "" && $2 != $3 { printf "deal %s: old %s, new %s: CONTRADICTION\n", $1, $2, $3; bad++ }
            $2 == "" && $3 != "" { printf "deal %s: decided only by new (%s)\n", $1, $3 == "1" ? "won" : "lost" }
            $2 != "" && $3 == "" { printf "deal %s: decided only by old (%s)\n", $1, $2 == "1" ? "won" : "lost" }
            END { exit bad > 0 }'
}

both "$first" "$deals"
report old "$first"
report new "$first"
verdicts "$first" || { echo "the builds contradict each other"; exit 1; }

for deal in ${HARD:-}; do
    both "$deal" 1
    for build in old new; do
        tail -n +2 "$work/$build-$deal/deals.csv" |
            awk -F, -v name="$build" '{ printf "deal %s %-4s %-9s %8.1f ms\n", $1, name,
                                        $6 == "" ? "undecided" : $6 == "1" ? "won" : "lost", $7 }'
    done
    verdicts "$deal" || { echo "the builds contradict each other"; exit 1; }
done
