#!/usr/bin/env bash
# Whole-process timing of kalendo2-cli: `day` over one year and over 100 years,
# `close-calls` over 1600-2999 in both modes,
# `day --place` over one year (the sky over a town),
# with the shipped files and a fixed today, output to /dev/null. Each run is
# pinned to one core (taskset) and timed in CPU (the process's task clock from
# perf stat) and in wall time; the median of the runs is printed
# beside the target.
# usage: bench/cli_timing.sh [path/to/kalendo2-cli [DATA_DIR [RUNS]]]
set -euo pipefail
cli=${1:-build/bin/kalendo2-cli}
data=${2:-$(dirname "$cli")}
runs=${3:-11}
[ -x "$cli" ] || { echo "no $cli" >&2; exit 2; }
# The core to pin to: CORE=1 bench/cli_timing.sh … picks another one when
# core 0 is the busy one.
pin=()
command -v taskset >/dev/null 2>&1 && pin=(taskset -c "${CORE:-0}")

# Prints "cpu_ms wall_ms" of two runs of the CLI with the given arguments:
# the kernel's task clock of the process in one (perf stat, or user + sys
# from getrusage without perf), and the wall time of a second, bare run (perf
# itself takes several milliseconds to start, which the CLI does not).
one_run() {
    local start end cpu
    if command -v perf >/dev/null 2>&1; then
        cpu=$(perf stat -x, -e task-clock "$@" 2>&1 >/dev/null | awk -F, '/task-clock/ {print $1}')
    else
        cpu=$(python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
u = resource.getrusage(resource.RUSAGE_CHILDREN)
print((u.ru_utime + u.ru_stime) * 1e3)' "$@")
    fi
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    printf '%.1f %.1f\n' "$cpu" "$(( (end - start) / 1000 ))e-3"
}

# Median of column $1 of stdin.
median() { sort -n -k"$1" | awk -v c="$1" '{v[NR]=$c} END {print v[int((NR+1)/2)]}'; }

measure() {
    local label=$1 target=$2 n=$3
    shift 3
    local results
    results=$(for _ in $(seq "$n"); do one_run "${pin[@]}" "$cli" --data "$data" --today 2024-06-15 "$@"; done)
    printf '%-22s CPU median %8s ms  wall median %8s ms  (target %s, %s runs)\n' "$label" \
        "$(median 1 <<<"$results")" "$(median 2 <<<"$results")" "$target" "$n"
}

measure "day, one year" "<= 20 ms" "$runs" day 2024-01-01 2024-12-31
measure "day --place 東京, year" "<= 100 ms" "$runs" day 2024-01-01 2024-12-31 --place 東京
measure "day, 100 years" "<= 2000 ms" 3 day 2000-01-01 2099-12-31
measure "close-calls, standard" "<= 2000 ms" 3 close-calls 1600-01-01 2999-12-31
measure "close-calls, precise" "<= 2000 ms" 3 --mode precise close-calls 1600-01-01 2999-12-31
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
