#!/usr/bin/env bash
# Whole-process timing of `Kalendo2 --print-pdf`: the twelve months of 2024
# and the one month of May 2024 written to a PDF in a scratch folder, with
# the shipped files and a fixed today. Each run is pinned to one core
# (taskset; CORE=n picks the core) and timed in CPU (user + system of the
# process, from GNU time) and wall; the medians are printed beside the
# target. The wall time includes flushing the PDF to disk (fsync), as the
# atomic write does.
# usage: bench/print_pdf.sh [path/to/Kalendo2 [DATA_DIR [RUNS]]]
set -euo pipefail
window=${1:-build/bin/Kalendo2}
data=${2:-$(dirname "$window")}
runs=${3:-11}
[ -x "$window" ] || { echo "no $window" >&2; exit 2; }
pin=()
command -v taskset >/dev/null 2>&1 && pin=(taskset -c "${CORE:-0}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Prints "cpu_ms wall_ms" of one run with the given arguments (GNU time:
# user + system CPU and the elapsed time, in hundredths of a second).
one_run() {
    /usr/bin/time -f '%U %S %e' "$@" 2>&1 >/dev/null | tail -1 |
        awk '{printf "%.0f %.0f\n", ($1 + $2) * 1000, $3 * 1000}'
}

median() { sort -n -k"$1" | awk -v c="$1" '{v[NR]=$c} END {print v[int((NR+1)/2)]}'; }

measure() {
    local label=$1 target=$2
    shift 2
    local results
    results=$(for _ in $(seq "$runs"); do
        one_run "${pin[@]}" "$window" --data "$data" --today 2024-06-15 --print-pdf "$scratch/out.pdf" "$@"
    done)
    printf '%-16s CPU median %8s ms  wall median %8s ms  %s kB  (target %s, %s runs)\n' "$label" \
        "$(median 1 <<<"$results")" "$(median 2 <<<"$results")" \
        "$(( $(stat -c %s "$scratch/out.pdf") / 1024 ))" "$target" "$runs"
}

measure "a year, 12 pages" "<= 1 s" 2024-01 2024-12
measure "one month" "-" 2024-05

# CENTURIES=1: one run of every month the almanac prints, 1600-01 to
# 2999-12 (16 800 pages), with its peak resident memory: the pages are
# drawn and written one at a time, so it stays that of a few pages.
if [ "${CENTURIES:-0}" = 1 ]; then
    /usr/bin/time -f '%M %U %S %e' "${pin[@]}" "$window" --data "$data" --today 2024-06-15 \
        --print-pdf "$scratch/out.pdf" 1600-01 2999-12 2>&1 >/dev/null | tail -1 |
        awk -v kb="$(( $(stat -c %s "$scratch/out.pdf") / 1024 ))" \
            '{printf "1600-01..2999-12  peak %.1f MB  CPU %.1f s  wall %.1f s  %s kB  (target <= 60 MB)\n", $1 / 1024, $2 + $3, $4, kb}'
fi
