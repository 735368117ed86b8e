#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A sharded study on a real Slurm cluster: brings up a single-node cluster
# on this machine (scripts/slurm-cluster.sh), submits a four-shard study with
# slurm/submit-study.sh, requeues one shard while it runs (as after a lost
# node or a preemption), lets the merge job run once the array is done, and
# compares the merged folder byte for byte with the same study run in one
# process. Stops every daemon it started. Needs root and the packages of
# scripts/setup.sh --slurm.
#
#   scripts/slurm-check.sh [DEALWISE_STUDY]    (default build/default/src/study/dealwise-study)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

program=$(realpath "${1:-build/default/src/study/dealwise-study}")
shards=4
shard_deals=6000
deals=$((shards * shard_deals))
export QT_QPA_PLATFORM=offscreen

# shellcheck source=scripts/slurm-cluster.sh
source "$root/scripts/slurm-cluster.sh"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/slurm-check.XXXXXX")
study=$scratch/study
why="interrupted"
passed=0

finish() {
    local status=$?
    slurm_cluster_stop
    if [ "$passed" -eq 1 ]; then
        rm -rf "$scratch"
        echo "slurm-check: PASS in ${SECONDS}s"
    else
        [ "$status" -ne 0 ] || status=1
        tail -n 15 "$scratch"/cluster/log/*.log "$study"/logs/*.log 2>/dev/null >&2 || true
        echo "slurm-check: FAIL after ${SECONDS}s: $why (kept $scratch)"
    fi
    exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM
fail() {
    why=$*
    exit 1
}

why="cluster did not start"
slurm_cluster_start "$scratch/cluster"

why="the study was not accepted"
jobs=$(bash slurm/submit-study.sh "$program" "$study" "$deals" "$shards")
array=$(awk '$1 == "array" {print $2}' <<<"$jobs")
merge=$(awk '$1 == "merge" {print $2}' <<<"$jobs")

# Requeue a shard that is running and has written rows, so that its second
# run has something to go on from.
why="no shard got under way within 60s"
victim=""
deadline=$((SECONDS + 60))
while [ -z "$victim" ] && [ "$SECONDS" -lt "$deadline" ]; do
    while read -r id state; do
        csv=$study/shard-${id#*_}/deals.csv
        if [ "$state" = RUNNING ] && [ -f "$csv" ] && [ "$(wc -l <"$csv")" -gt 500 ]; then
            victim=$id
            break
        fi
    done < <(slurm_job_state "$array")
    [ -n "$victim" ] || sleep 0.2
done
[ -n "$victim" ] || fail "$why"
rows_before=$(($(wc -l <"$study/shard-${victim#*_}/deals.csv") - 1))
scontrol requeue "$victim" || fail "scontrol requeue $victim was refused"
echo "slurm-check: requeued $victim after at least $rows_before of its rows"

why="the shards did not all finish"
states=$(slurm_wait_job "$array" 300) || fail "$why: ${states//$'\n'/ }"
why="the merge job did not finish"
states=$(slurm_wait_job "$merge" 120) || fail "$why: ${states//$'\n'/ }"

restarts=$(scontrol show job "$victim" | sed -n 's/.*Restarts=\([0-9]*\).*/\1/p')
[ "$restarts" = 1 ] || fail "requeued shard $victim shows Restarts=${restarts:-?}"
grep -q "stopped after" "$study/logs/shard-${victim#*_}.log" ||
    fail "the requeued shard did not stop cleanly on SIGTERM"

why="the one-process run failed"
"$program" --deals "$deals" --out "$scratch/single" >/dev/null 2>&1
for file in deals.csv manifest.json summary.md chart.svg chart.png; do
    cmp "$scratch/single/$file" "$study/merged/$file" || fail "merged $file differs from one run's"
done
echo "slurm-check: $shards shards of $shard_deals deals (array $array, $victim requeued and resumed)," \
    "merged by job $merge: byte for byte one run's deals.csv, manifest.json, summary.md and chart"
passed=1
