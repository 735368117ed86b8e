#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The time a position takes, old build against new: two builds of
# dealwise_solve_deals search the same deals to the same number of positions,
# by turns on one core, ROUNDS times each, and the CPU seconds of every run
# and the ratio of the totals are printed. A position count is the same on
# any machine, so where the two builds search alike the ratio is the speed of
# a position; the verdicts and counts of the last round of each are printed
# too, so that a build that searches differently shows.
#
#   bench/solver_positions_ab.sh OLD NEW [POSITIONS [DRAW [ROUNDS]]] DEALS...
#   bench/solver_positions_ab.sh /tmp/old/dealwise_solve_deals build/release/bench/dealwise_solve_deals \
#       2000000 3 2 173 268 513 61 385 2818
#
# CORE=N picks the core (default 0); TABLE_BITS=B the table (default 22, 256 MiB).
set -euo pipefail

old=$1 new=$2
positions=${3:-2000000}
draw=${4:-3}
rounds=${5:-2}
shift 5 || shift $#
deals=("$@")
if [[ ${#deals[@]} -eq 0 ]]; then
    deals=(173 268 513 61 385 2818)
fi
core=${CORE:-0}
table_bits=${TABLE_BITS:-22} # the same table for both, whatever either would size
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name program round
run() {
    /usr/bin/time -f '%U' -o "$work/$1-$3.time" taskset -c "$core" "$2" --draw "$draw" --positions "$positions" \
        --table-bits "$table_bits" --seconds 100000 "${deals[@]}" >"$work/$1.out"
    printf '%s round %s: %s s\n' "$1" "$3" "$(cat "$work/$1-$3.time")"
}

for round in $(seq 1 "$rounds"); do
    run old "$old" "$round"
    run new "$new" "$round"
done
for name in old new; do
    echo "$name: $(awk '{printf "%s %s %s; ", $1, $2, $3}' "$work/$name.out")"
done
awk -v rounds="$rounds" 'FNR == 1 { total[FILENAME ~ /old-/ ? "old" : "new"] += $1 }
    END { printf "CPU: old %.2f s, new %.2f s a round; old / new = %.2f\n", total["old"] / rounds,
          total["new"] / rounds, total["old"] / total["new"] }' "$work"/old-*.time "$work"/new-*.time
