#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
#SBATCH --job-name=dealwise-shard
#SBATCH --cpus-per-task=1
#SBATCH --requeue
#SBATCH --open-mode=append
# One shard of a sharded study, as a task of an array job (submit-study.sh
# submits it): task T plays deals STUDY_FIRST + T * STUDY_SHARD_DEALS on, at
# most STUDY_SHARD_DEALS of them and none past the study's last deal, into
# STUDY_ROOT/shard-T.
#
# It always runs with --resume, so a task that is requeued, preempted or
# restarted after a lost node goes on from the rows it had written instead of
# starting again. Slurm stops a task with SIGTERM first: dealwise-study then
# writes what is done and exits.
#
# From the environment (sbatch --export): DEALWISE_STUDY (the program),
# STUDY_ROOT, STUDY_FIRST, STUDY_DEALS (the whole study), STUDY_SHARD_DEALS,
# and STUDY_ARGS (further options, the same for every shard: --draw, --solve,
# --solve-positions ...).
set -euo pipefail

task=${SLURM_ARRAY_TASK_ID:?run this as a task of an array job}
first=$((STUDY_FIRST + task * STUDY_SHARD_DEALS))
last=$((STUDY_FIRST + STUDY_DEALS - 1))
if ((first > last)); then
    echo "shard $task: no deals left for it" >&2
    exit 0
fi
deals=$((last - first + 1 < STUDY_SHARD_DEALS ? last - first + 1 : STUDY_SHARD_DEALS))
read -r -a extra <<<"${STUDY_ARGS:-}"
# exec, so that Slurm's signals reach the study itself.
exec "$DEALWISE_STUDY" --resume --out "$STUDY_ROOT/shard-$task" --first "$first" --deals "$deals" \
    --threads "${SLURM_CPUS_PER_TASK:-1}" "${extra[@]}"
