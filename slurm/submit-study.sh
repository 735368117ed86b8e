#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Submits a study as a Slurm array of shards and a merge that waits for them.
#
#   slurm/submit-study.sh PROGRAM ROOT DEALS SHARDS [FIRST] [-- STUDY_OPTIONS...]
#   slurm/submit-study.sh /usr/bin/dealwise-study /shared/solved-1m 1000000 1000 -- --solve --solve-seconds 10
#
# PROGRAM and ROOT must be reachable at the same paths from every node. Each
# shard writes ROOT/shard-T; the merge writes ROOT/merged; their logs go to
# ROOT/logs. Prints the two job ids as "array ID" and "merge ID". sbatch's
# own environment variables (SBATCH_PARTITION, SBATCH_TIMELIMIT,
# SBATCH_ACCOUNT ...) reach both jobs.
set -euo pipefail

if (($# < 4)); then
    sed -n '2,12s/^# \{0,1\}//p' "$0" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$(realpath "$1") root=$(realpath -m "$2") deals=$3 shards=$4
shift 4
first=1
if (($# > 0)) && [[ $1 != -- ]]; then
    first=$1
    shift
fi
[[ ${1:-} == -- ]] && shift
mkdir -p "$root/logs"

shard_deals=$(((deals + shards - 1) / shards))
export DEALWISE_STUDY=$program STUDY_ROOT=$root STUDY_FIRST=$first STUDY_DEALS=$deals
export STUDY_SHARD_DEALS=$shard_deals STUDY_ARGS="$*"

array=$(sbatch --parsable --array=0-$((shards - 1)) --export=ALL --chdir="$root" \
    --output="$root/logs/shard-%a.log" "$here/study-shard.sbatch")
array=${array%%;*}
# Should a shard fail for good, afterok can never be met: without
# --kill-on-invalid-dep the merge would wait in the queue for ever.
merge=$(sbatch --parsable --dependency=afterok:"$array" --kill-on-invalid-dep=yes --export=ALL \
    --chdir="$root" --output="$root/logs/merge.log" "$here/study-merge.sbatch")
merge=${merge%%;*}
echo "array $array"
echo "merge $merge"
