#!/usr/bin/env bash
# Whole-process cost of `kalendo2-cli feed`: the default window (25 whole
# months) of every kind, written into a fresh file and into a fresh vdir,
# then once more into each with nothing changed (only reads and
# comparisons). Wall time and peak resident memory (GNU time's maximum
# RSS) of each, the median of the runs, beside the target.
# usage: bench/feed_timing.sh [path/to/kalendo2-cli [DATA_DIR [RUNS]]]
set -euo pipefail
cli=${1:-build/bin/kalendo2-cli}
data=${2:-$(dirname "$cli")}
runs=${3:-5}
[ -x "$cli" ] || { echo "no $cli" >&2; exit 2; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# "wall_ms rss_kB" of one run.
one_run() {
    /usr/bin/time -f '%e %M' -o "$scratch/time" "$cli" --data "$data" --today 2024-06-15 feed "$@"
    awk '{printf "%.0f %d\n", $1 * 1000, $2}' "$scratch/time"
}
median() { sort -n -k"$1" | awk -v c="$1" '{v[NR]=$c} END {print v[int((NR+1)/2)]}'; }
measure() {
    local label=$1 fresh=$2
    shift 2
    local results
    results=$(for i in $(seq "$runs"); do
        [ "$fresh" = yes ] && rm -rf "$scratch/feed.ics" "$scratch/vdir"
        one_run "$@"
    done)
    printf '%-26s wall median %5s ms  peak RSS median %6s kB  (target <= 500 ms, <= 20 MB)\n' "$label" \
        "$(median 1 <<<"$results")" "$(median 2 <<<"$results")"
}
measure "file, written" yes "$scratch/feed.ics"
measure "file, unchanged" no "$scratch/feed.ics"
measure "vdir, written" yes --vdir "$scratch/vdir"
measure "vdir, unchanged" no --vdir "$scratch/vdir"
echo "events: $(ls "$scratch/vdir" | wc -l); load average: $(cut -d' ' -f1-3 /proc/loadavg)"
