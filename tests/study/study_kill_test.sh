#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# dealwise-study killed with SIGKILL at random moments and resumed each time
# must end with the very folder an uninterrupted run writes: nothing lost,
# nothing written twice. The solver's own times differ from run to run, so
# its column and the summary's time line are left out of that comparison.
set -euo pipefail
study="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
RANDOM=${KILL_TEST_SEED:-4242}

same_folders() { # expected found solved
    local name
    for name in manifest.json deals.csv summary.md chart.svg; do
        if [[ $3 == solved ]]; then
            diff <(sed -E 's/,[0-9]+\.[0-9]{3}$/,_/; s/[0-9]+\.[0-9]{3} ms/_ ms/g' "$1/$name") \
                 <(sed -E 's/,[0-9]+\.[0-9]{3}$/,_/; s/[0-9]+\.[0-9]{3} ms/_ ms/g' "$2/$name") >/dev/null ||
                fail "$name differs after the kills"
        else
            cmp -s "$1/$name" "$2/$name" || fail "$name differs after the kills"
        fi
    done
}

# Starts the study, kills it after a random while, `kills` times, then lets it finish.
kill_and_resume() { # kills max_tenths folder options...
    local kills=$1 tenths=$2 folder=$3 pid i
    shift 3
    for ((i = 0; i < kills; i++)); do
        "$study" --resume --out "$folder" "$@" >/dev/null 2>&1 &
        pid=$!
        sleep "$((RANDOM % tenths / 10)).$((RANDOM % 10))"
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    "$study" --resume --out "$folder" "$@" >/dev/null || fail "the last resume failed"
}

greedy=(--deals 30000 --draw 3 --threads 2)
"$study" --out "$work/greedy-whole" "${greedy[@]}" >/dev/null
kill_and_resume 22 8 "$work/greedy-killed" "${greedy[@]}"
same_folders "$work/greedy-whole" "$work/greedy-killed" greedy

solved=(--deals 300 --first 1 --solve --solve-positions 20000 --threads 2)
"$study" --out "$work/solved-whole" "${solved[@]}" >/dev/null
kill_and_resume 22 6 "$work/solved-killed" "${solved[@]}"
same_folders "$work/solved-whole" "$work/solved-killed" solved
# The summary's solver times are those of the rows left after the kills.
"$study" merge --out "$work/solved-merged" "$work/solved-killed" >/dev/null
cmp -s "$work/solved-killed/summary.md" "$work/solved-merged/summary.md" || fail "the solver times are not the rows'"
echo "ok"
