#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
#SBATCH --job-name=dealwise-merge
#SBATCH --cpus-per-task=1
# The summary and chart of a sharded study: merges STUDY_ROOT/shard-* into
# STUDY_ROOT/merged. submit-study.sh runs it once every shard has finished
# (--dependency=afterok on the array). The merge checks that the shards were
# run alike, do not overlap and leave no deal out, and says which if not.
set -euo pipefail

shopt -s nullglob
shards=("$STUDY_ROOT"/shard-*/)
exec "$DEALWISE_STUDY" merge --out "$STUDY_ROOT/merged" "${shards[@]}"
