#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# dealwise-study end to end, with the solver: what it writes, that the
# verdicts agree with the greedy player, that the thread count changes
# nothing but the times, and that bad options are refused.
set -euo pipefail
study="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$study" --deals 40 --first 101 --solve --solve-seconds 60 --threads 2 --out "$work/two" > "$work/two.txt"
"$study" --deals 40 --first 101 --solve --solve-seconds 60 --threads 1 --out "$work/one" > /dev/null

csv="$work/two/deals.csv"
[[ "$(head -n 1 "$csv")" == "deal,cards,score,won,moves,winnable,solve_ms" ]] || fail "header: $(head -n 1 "$csv")"
[[ "$(wc -l < "$csv")" == 41 ]] || fail "rows: $(wc -l < "$csv")"
# A deal the greedy player won is winnable; these deals are all decided in time.
awk -F, 'NR > 1 && ($4 == 1 && $6 != 1) { print "deal " $1 " won but not winnable"; bad = 1 }
         NR > 1 && $6 == "" { print "deal " $1 " undecided"; bad = 1 }
         END { exit bad }' "$csv" || fail "verdicts"
winnable="$(awk -F, 'NR > 1 && $6 == 1' "$csv" | wc -l)"
(( winnable > 25 && winnable < 40 )) || fail "$winnable of 40 winnable"
# Everything but the times is the same with one thread.
diff <(cut -d, -f1-6 "$csv") <(cut -d, -f1-6 "$work/one/deals.csv") || fail "thread count changed the results"

grep -q "^Winnable (exact solver, every card seen): $winnable of 40 decided deals" "$work/two/summary.md" ||
    fail "summary: $(grep Winnable "$work/two/summary.md")"
grep -q "Solver time per deal" "$work/two/summary.md" || fail "no solver times in the summary"
grep -q "^winnable: $winnable of 40 decided" "$work/two.txt" || fail "report: $(cat "$work/two.txt")"
[[ -s "$work/two/chart.svg" && -s "$work/two/chart.png" ]] || fail "no chart"

for bad in "--solve-seconds 0" "--solve-seconds -1" "--solve-seconds 1e9" "--solve-seconds ten"; do
    status=0
    # shellcheck disable=SC2086
    "$study" --deals 1 --solve $bad --out "$work/bad" 2> "$work/err.txt" || status=$?
    [[ $status == 2 ]] || fail "$bad: status $status"
    grep -q "is not understood" "$work/err.txt" || fail "$bad: $(cat "$work/err.txt")"
done
echo "ok"
