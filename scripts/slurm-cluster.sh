# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# A throw-away single-node Slurm cluster for tests, built from Debian's
# slurmctld, slurmd, slurm-client and munge packages (scripts/setup.sh --slurm).
# Source this file, then:
#   slurm_cluster_start DIR     munged, slurmctld and slurmd, all state in DIR
#   slurm_cluster_stop          stops exactly the daemons started above
#   slurm_submit SBATCH-ARGS... prints the new job's id
#   slurm_job_state JOBID       prints "ID STATE" for the job and each array task
#   slurm_wait_job JOBID SECS   waits until the job and all its tasks are done
# Needs root (SlurmUser=root, munged --force) and no systemd: the daemons
# fork into the background themselves and are tracked by their pid files.
# Every daemon gets SLURM_CLUSTER_HARNESS=DIR in its environment, so a pid
# is only ever signalled after /proc/PID/environ proves it is one of ours (a
# slurmstepd, after its working folder is inside DIR): other Slurm or munge
# daemons on the machine are never touched.
# Written to work whether or not the caller runs under set -euo pipefail.
# Callers stopping from an EXIT trap should also trap INT and TERM with an
# exit, or bash skips the EXIT trap on those signals.
# Slurm 22.05 as packaged here, seen on this machine:
# - slurmd logs "can not load PMIx library" errors at start; harmless, it
#   loads every mpi plugin whatever MpiDefault says.
# - Each daemon forks to detach; the short-lived parent lingers as a zombie
#   of PID 1 for some seconds, so look for live daemons with ps, not pgrep.
# - State is wiped at each start, so the node registers fresh and never comes
#   up DOWN "unexpectedly rebooted"; ReturnToService=2 covers a slurmd that
#   restarts while the controller runs.

_slurm_cluster_dir=""
_slurm_cluster_pids=()

_slurm_log() { echo "slurm-cluster: $*" >&2; }

# A zombie still answers kill -0, and this machine's init does not reap
# orphans promptly, so "alive" means present and not in state Z.
_slurm_alive() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [ "${stat%% *}" != "Z" ]
}

# True when pid $1 is alive and was started by the harness for folder $2.
_slurm_ours() {
    _slurm_alive "$1" && grep -qzxF -- "SLURM_CLUSTER_HARNESS=$2" "/proc/$1/environ" 2>/dev/null
}

# Waits up to $2 seconds for pid file $1 to name a live daemon, and prints it.
_slurm_pid_from_file() {
    local file=$1 deadline=$((SECONDS + $2)) pid
    while [ "$SECONDS" -lt "$deadline" ]; do
        pid=$(cat "$file" 2>/dev/null || true)
        pid=${pid//[!0-9]/}
        if [ -n "$pid" ] && _slurm_alive "$pid"; then
            echo "$pid"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# Sends TERM to each pid, waits up to $1 seconds for all to exit, then KILLs.
_slurm_terminate() {
    local timeout=$1 pid deadline left
    shift
    [ $# -gt 0 ] || return 0
    kill -TERM "$@" 2>/dev/null || true
    deadline=$((SECONDS + timeout))
    while :; do
        left=()
        for pid in "$@"; do
            if _slurm_alive "$pid"; then left+=("$pid"); fi
        done
        [ ${#left[@]} -gt 0 ] || return 0
        if [ "$SECONDS" -ge "$deadline" ]; then
            _slurm_log "killing ${left[*]}, still up after ${timeout}s"
            kill -KILL "${left[@]}" 2>/dev/null || true
            sleep 0.5
            return 0
        fi
        sleep 0.2
    done
}

# Every live process of folder $1's cluster: the daemons, by their mark;
# each slurmstepd, whose environment is overwritten by its process title but
# whose working folder slurmd put inside $1; and every process under such a
# slurmstepd, i.e. the jobs it runs.
_slurm_marked_pids() {
    local proc pid comm cwd steps=() table parent child
    for proc in /proc/[0-9]*; do
        pid=${proc#/proc/}
        if _slurm_ours "$pid" "$1"; then
            echo "$pid"
            continue
        fi
        comm=$(cat "$proc/comm" 2>/dev/null) || continue
        [ "$comm" = "slurmstepd" ] || continue
        cwd=$(readlink "$proc/cwd" 2>/dev/null) || continue
        case "$cwd" in
        "$1" | "$1"/* | "$1 "*) steps+=("$pid") ;;
        esac
    done
    [ ${#steps[@]} -gt 0 ] || return 0
    table=$(ps -eo pid=,ppid= 2>/dev/null) || return 0
    while [ ${#steps[@]} -gt 0 ]; do
        parent=${steps[0]}
        steps=("${steps[@]:1}")
        if _slurm_alive "$parent"; then echo "$parent"; fi
        while read -r child pid; do
            if [ "$pid" = "$parent" ]; then steps+=("$child"); fi
        done <<<"$table"
    done
}

_slurm_port_free() {
    [ -z "$(ss -Htan "( sport = :$1 )" 2>/dev/null)" ]
}

# Prints a free TCP port from 20000-29999 other than $1, starting at random so
# that two harnesses started at once are unlikely to race for the same one.
_slurm_free_port() {
    local port _
    for _ in $(seq 200); do
        port=$((20000 + (RANDOM % 10000)))
        if [ "$port" != "${1:-}" ] && _slurm_port_free "$port"; then
            echo "$port"
            return 0
        fi
    done
    return 1
}

slurm_cluster_start() {
    local dir=${1:?usage: slurm_cluster_start DIR} stale
    if [ -n "$_slurm_cluster_dir" ]; then
        _slurm_log "a cluster is already running in $_slurm_cluster_dir"
        return 1
    fi
    if [ "$(id -u)" -ne 0 ]; then
        _slurm_log "needs root"
        return 1
    fi
    local tool
    for tool in munged mungekey slurmctld slurmd sbatch sinfo squeue scontrol ss; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            _slurm_log "$tool is missing: run scripts/setup.sh --slurm"
            return 1
        fi
    done
    mkdir -p "$dir" || return 1
    dir=$(cd "$dir" && pwd -P) || return 1
    chmod 0700 "$dir"

    # An earlier run in DIR that died without stopping leaves its daemons up
    # and its saved state behind; both would confuse this run. slurmstepd
    # ignores TERM, so leftovers get KILL after 5 s.
    stale=$(_slurm_marked_pids "$dir")
    if [ -n "$stale" ]; then
        _slurm_log "stopping leftovers of an earlier run in $dir: ${stale//$'\n'/ }"
        # shellcheck disable=SC2086
        _slurm_terminate 5 $stale
    fi
    rm -rf "$dir/munge" "$dir/state" "$dir/spool" "$dir/log" "$dir/slurm.conf" \
        "$dir/slurmctld.pid" "$dir/slurmd.pid"
    mkdir -m 0700 "$dir/munge" "$dir/state" "$dir/spool" "$dir/log" || return 1

    _slurm_cluster_dir=$dir
    _slurm_cluster_pids=()
    if ! _slurm_cluster_bring_up "$dir"; then
        _slurm_log "start failed; logs are in $dir/log"
        tail -n 20 "$dir"/log/*.log >&2 2>/dev/null || true
        slurm_cluster_stop
        return 1
    fi
}

_slurm_cluster_bring_up() {
    local dir=$1 host hw cpus mem ctld_port slurmd_port pid deadline state
    host=$(hostname -s)
    # The node's layout as slurmd measures it: with CPUs= alone slurmctld
    # assumes one core per socket and slurmd logs a mismatch.
    hw=$(slurmd -C 2>/dev/null | head -n 1)
    cpus=$(sed -n 's/.* \(CPUs=.*\) RealMemory=.*/\1/p' <<<"$hw")
    [ -n "$cpus" ] || cpus="CPUs=$(nproc)"
    # Declaring more memory than slurmd measures would drain the node, so
    # claim nine tenths of it.
    mem=$(sed -n 's/.*RealMemory=\([0-9]*\).*/\1/p' <<<"$hw")
    mem=$(( ${mem:-1000} * 9 / 10 ))
    ctld_port=$(_slurm_free_port) || return 1
    slurmd_port=$(_slurm_free_port "$ctld_port") || return 1

    mungekey -c -k "$dir/munge/munge.key" || return 1
    chmod 0400 "$dir/munge/munge.key"
    # --force: munged refuses to run as root and to use a socket under /tmp
    # otherwise.
    SLURM_CLUSTER_HARNESS=$dir munged --force \
        --socket="$dir/munge/munge.socket" --key-file="$dir/munge/munge.key" \
        --pid-file="$dir/munge/munged.pid" --log-file="$dir/log/munged.log" \
        --seed-file="$dir/munge/munged.seed" </dev/null >>"$dir/log/munged.out" 2>&1 || return 1
    pid=$(_slurm_pid_from_file "$dir/munge/munged.pid" 15) || return 1
    _slurm_cluster_pids+=("$pid")

    # The addresses are loopback so that no message leaves the machine.
    # cred_expire: a requeued job may not start again before its credential
    # expires (120 s by default), far too slow for tests.
    # bf_interval/sched_interval: a requeued job is only picked up by a
    # periodic scheduler pass, not by an event, so make those passes frequent.
    # kill_invalid_depend: a job whose dependency can never be met (say, after
    # a failed shard) is cancelled instead of pending forever.
    # MinJobAge: finished jobs stay visible to squeue/scontrol for 10 minutes,
    # which is where slurm_job_state reads their final states (there is no
    # slurmdbd, hence no sacct); jobcomp.log keeps a record past that.
    cat >"$dir/slurm.conf" <<EOF
ClusterName=harness
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$dir/munge/munge.socket,cred_expire=10
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
SlurmctldDebug=info
SlurmdDebug=info
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/filetxt
JobCompLoc=$dir/log/jobcomp.log
MpiDefault=none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
SchedulerType=sched/backfill
SchedulerParameters=bf_interval=1,sched_interval=2
DependencyParameters=kill_invalid_depend
ReturnToService=2
JobRequeue=1
KillWait=5
MinJobAge=600
NodeName=$host NodeAddr=127.0.0.1 $cpus RealMemory=$mem State=UNKNOWN
PartitionName=debug Nodes=ALL Default=YES MaxTime=INFINITE State=UP
EOF
    export SLURM_CONF=$dir/slurm.conf

    SLURM_CLUSTER_HARNESS=$dir slurmctld -f "$SLURM_CONF" </dev/null >>"$dir/log/slurmctld.out" 2>&1 || return 1
    pid=$(_slurm_pid_from_file "$dir/slurmctld.pid" 30) || return 1
    _slurm_cluster_pids+=("$pid")
    SLURM_CLUSTER_HARNESS=$dir slurmd -f "$SLURM_CONF" </dev/null >>"$dir/log/slurmd.out" 2>&1 || return 1
    pid=$(_slurm_pid_from_file "$dir/slurmd.pid" 30) || return 1
    _slurm_cluster_pids+=("$pid")

    deadline=$((SECONDS + 60))
    while :; do
        state=$(sinfo -h -o %T 2>/dev/null || true)
        [ "$state" = "idle" ] && break
        if [ "$SECONDS" -ge "$deadline" ]; then
            _slurm_log "node still '${state}' after 60s"
            return 1
        fi
        for pid in "${_slurm_cluster_pids[@]}"; do
            if ! _slurm_alive "$pid"; then
                _slurm_log "daemon $pid died"
                return 1
            fi
        done
        sleep 0.5
    done
    _slurm_log "up in $dir (ports $ctld_port, $slurmd_port)"
}

# Safe to call twice, from an EXIT trap, or when start failed half way.
slurm_cluster_stop() {
    local dir=$_slurm_cluster_dir pids=("${_slurm_cluster_pids[@]}") pid ours=() deadline stray i
    [ -n "$dir" ] || return 0
    # Forget the cluster first, so that a trap firing during the stop
    # finds nothing left to do.
    _slurm_cluster_dir=""
    _slurm_cluster_pids=()
    # Cancel first: slurmstepd outlives slurmd, and a job left running would
    # outlive the cluster. timeout: a wedged slurmctld must not hang a trap.
    local conf=$dir/slurm.conf
    if [ -n "$(SLURM_CONF=$conf timeout 20 squeue -h -o %A 2>/dev/null)" ]; then
        SLURM_CONF=$conf timeout 20 squeue -h -o %A 2>/dev/null |
            SLURM_CONF=$conf xargs -r timeout 20 scancel 2>/dev/null || true
        deadline=$((SECONDS + 15))
        while [ -n "$(SLURM_CONF=$conf timeout 20 squeue -h -o %A 2>/dev/null)" ] &&
            [ "$SECONDS" -lt "$deadline" ]; do
            sleep 0.5
        done
    fi
    # slurmd, then slurmctld, then munged: each needs the next while it stops.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        if _slurm_ours "$pid" "$dir"; then ours+=("$pid"); fi
    done
    for pid in "${ours[@]}"; do
        _slurm_terminate 20 "$pid"
    done
    # slurmstepd ignores TERM, so strays get KILL after 5 s.
    stray=$(_slurm_marked_pids "$dir")
    if [ -n "$stray" ]; then
        _slurm_log "stopping strays ${stray//$'\n'/ }"
        # shellcheck disable=SC2086
        _slurm_terminate 5 $stray
    fi
    if [ "${SLURM_CONF:-}" = "$conf" ]; then unset SLURM_CONF; fi
    return 0
}

# Submits with sbatch and prints the job id alone.
slurm_submit() {
    local out
    out=$(sbatch --parsable "$@") || return 1
    echo "${out%%;*}"
}

# Prints "ID STATE" for the job, or for each task of an array job. Reads the
# controller's memory, which keeps finished jobs for MinJobAge.
slurm_job_state() {
    squeue -h -r -t all -j "${1:?usage: slurm_job_state JOBID}" -o '%i %T' 2>/dev/null
}

# Waits until JOBID and all its array tasks have finished, then prints their
# final states. Returns 0 when every one COMPLETED, 1 when any ended
# otherwise or is unknown, 124 on timeout.
slurm_wait_job() {
    local job=${1:?usage: slurm_wait_job JOBID SECONDS} timeout=${2:-600} deadline states line busy
    deadline=$((SECONDS + timeout))
    while :; do
        states=$(slurm_job_state "$job") || states=""
        busy=0
        while read -r line; do
            case "${line#* }" in
            COMPLETED | FAILED | CANCELLED | TIMEOUT | NODE_FAIL | PREEMPTED | \
                OUT_OF_MEMORY | BOOT_FAIL | DEADLINE | "") ;;
            *) busy=1 ;;
            esac
        done <<<"$states"
        if [ -z "$states" ]; then
            _slurm_log "job $job is unknown to the controller"
            return 1
        fi
        if [ "$busy" -eq 0 ]; then
            echo "$states"
            if grep -qv ' COMPLETED$' <<<"$states"; then return 1; fi
            return 0
        fi
        if [ "$SECONDS" -ge "$deadline" ]; then
            _slurm_log "job $job not done after ${timeout}s"
            echo "$states"
            return 124
        fi
        sleep 1
    done
}
