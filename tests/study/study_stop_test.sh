#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# dealwise-study stopped by SIGTERM, and stopped by a full disk: each says
# how to go on, and going on ends with the folder of an uninterrupted run.
set -euo pipefail
study="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

options=(--deals 10000 --first 5 --draw 1 --threads 2)
"$study" --out "$work/whole" "${options[@]}" >/dev/null

same_as_whole() {
    local name
    for name in manifest.json deals.csv summary.md chart.svg chart.png; do
        cmp -s "$work/whole/$name" "$1/$name" || fail "$name differs from the uninterrupted run's"
    done
}

# SIGTERM once rows are coming in: status 143, the line that says how to go
# on, and that line's command finishes the study.
"$study" --out "$work/termed" "${options[@]}" >/dev/null 2>"$work/term.txt" &
pid=$!
until [[ -e "$work/termed/deals.csv" && $(wc -l <"$work/termed/deals.csv") -gt 1000 ]]; do sleep 0.05; done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[[ $status == 143 ]] || fail "status $status after SIGTERM"
message=$(grep "^dealwise-study: stopped after" "$work/term.txt") || fail "no stop message: $(cat "$work/term.txt")"
[[ $message =~ ^dealwise-study:\ stopped\ after\ ([0-9]+)\ of\ 10000\ deals\;\ to\ go\ on:\ (dealwise-study\ --resume\ .*)$ ]] ||
    fail "stop message: $message"
rows=$(($(wc -l <"$work/termed/deals.csv") - 1))
[[ ${BASH_REMATCH[1]} == "$rows" ]] || fail "said ${BASH_REMATCH[1]} deals, wrote $rows"
[[ ${BASH_REMATCH[2]} == "dealwise-study --resume --out $work/termed --first 5 --deals 10000 --draw 1 --threads 2" ]] ||
    fail "resume command: ${BASH_REMATCH[2]}"
[[ ! -e "$work/termed/summary.md" ]] || fail "a summary of an unfinished study"
read -ra resume <<<"${BASH_REMATCH[2]}"
"$study" "${resume[@]:1}" >/dev/null
same_as_whole "$work/termed"

# A file size limit stands in for a full disk: the write fails, the message
# says so, and what was written is kept for --resume.
status=0
(ulimit -f 200 && exec "$study" --out "$work/full" "${options[@]}") >/dev/null 2>"$work/full.txt" || status=$?
[[ $status == 1 ]] || fail "status $status on a full disk"
grep -q "^dealwise-study: could not write $work/full/deals.csv: File too large (the disk is full, or the file may grow no larger); the rows written before are kept: make room and go on with dealwise-study --resume --out $work/full " "$work/full.txt" ||
    fail "full disk message: $(cat "$work/full.txt")"
head -c "$(stat -c %s "$work/full/deals.csv")" "$work/whole/deals.csv" | cmp -s - "$work/full/deals.csv" ||
    fail "the rows written before the disk filled are not the run's"
"$study" --resume --out "$work/full" "${options[@]}" >/dev/null
same_as_whole "$work/full"

# A second study on a folder in use is refused.
"$study" --out "$work/busy" "${options[@]}" >/dev/null 2>&1 &
pid=$!
until [[ -e "$work/busy/deals.csv" ]]; do sleep 0.05; done
status=0
"$study" --resume --out "$work/busy" "${options[@]}" >/dev/null 2>"$work/busy.txt" || status=$?
kill -TERM "$pid"
wait "$pid" || true
[[ $status == 1 ]] || fail "status $status for a second study"
grep -Fxq "dealwise-study: another study is writing into $work/busy; wait for it to end, or choose another folder" \
    "$work/busy.txt" ||
    fail "second study: $(cat "$work/busy.txt")"
echo "ok"
