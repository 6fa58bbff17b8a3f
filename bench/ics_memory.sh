#!/usr/bin/env bash
# Peak memory and time of `kalendo2-cli ics` with every kind of event, over
# one year, a hundred years and the whole supported range 1600-2999, with
# the shipped files and a fixed today, output to /dev/null. Measured by GNU
# time (/usr/bin/time -v): the maximum resident set size, the CPU time
# (user + system) and the wall time, one run each, pinned to one core
# (taskset). The export is written as it is computed, so the peak must not
# grow with the range; the target is for the whole range.
# usage: bench/ics_memory.sh [path/to/kalendo2-cli [DATA_DIR]]
set -euo pipefail
cli=${1:-build/bin/kalendo2-cli}
data=${2:-$(dirname "$cli")}
[ -x "$cli" ] || { echo "no $cli" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "no /usr/bin/time (package time)" >&2; exit 2; }
pin=()
command -v taskset >/dev/null 2>&1 && pin=(taskset -c "${CORE:-0}")
everything=holidays,notes,users,schedules,rokuyo,lunar,moon
target_kb=30720  # 30 MB
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Prints "peak_kb cpu_s wall_s bytes" of one export of FIRST..LAST.
one_run() {
    local bytes
    bytes=$(SOURCE_DATE_EPOCH=1700000000 /usr/bin/time -v -o "$log" "${pin[@]}" "$cli" --data "$data" \
        --today 2024-06-15 ics "$1" "$2" --include "$everything" | wc -c)
    awk -v bytes="$bytes" -F': ' '
        /Maximum resident set size/ {peak = $2}
        /User time/ {user = $2}
        /System time/ {sys = $2}
        /Elapsed \(wall clock\)/ {n = split($2, t, ":"); wall = 0; for (i = 1; i <= n; i++) wall = wall * 60 + t[i]}
        END {printf "%d %.2f %.2f %d\n", peak, user + sys, wall, bytes}' "$log"
}

status=0
for range in "2024-01-01 2024-12-31" "1950-01-01 2049-12-31" "1600-01-01 2999-12-31"; do
    # shellcheck disable=SC2086
    read -r peak cpu wall bytes < <(one_run $range)
    printf 'ics %s, every kind: peak RSS %6.1f MB  CPU %7.2f s  wall %7.2f s  %6.1f MB written\n' \
        "${range/ / to }" "$(echo "$peak / 1024" | bc -l)" "$cpu" "$wall" "$(echo "$bytes / 1048576" | bc -l)"
    last_peak=$peak
done
if [ "$last_peak" -le "$target_kb" ]; then
    echo "whole range: peak RSS within the target of 30 MB"
else
    echo "whole range: peak RSS over the target of 30 MB"
    status=1
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
