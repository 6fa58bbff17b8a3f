#!/bin/sh
# The feed's systemd user units: systemd-analyze verify finds nothing to
# say of them, the timer is enabled by nothing but the user (no unit of the
# package wants it but timers.target through [Install]), and the service's
# command line, run as the user manager would run it, writes the feed into
# the user folder under the XDG data folder, created when missing.
# Usage: systemd_units_check.sh UNIT_FOLDER CLI
set -eu
units=$1
cli=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/k2-units-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime" "$scratch/bin"
cp "$units/kalendo2-feed.service" "$units/kalendo2-feed.timer" "$scratch/"

XDG_RUNTIME_DIR="$scratch/runtime" systemd-analyze --user --man=no verify \
    "$scratch/kalendo2-feed.service" "$scratch/kalendo2-feed.timer" >"$scratch/said" 2>&1 || {
    cat "$scratch/said" >&2
    echo "systemd-analyze verify refused the units" >&2
    exit 1
}
if [ -s "$scratch/said" ]; then
    cat "$scratch/said" >&2
    echo "systemd-analyze verify warned about the units" >&2
    exit 1
fi
grep -qx 'WantedBy=timers.target' "$scratch/kalendo2-feed.timer" || { echo "timer not wanted by timers.target" >&2; exit 1; }
grep -q '^OnCalendar=daily$' "$scratch/kalendo2-feed.timer" || { echo "timer not daily" >&2; exit 1; }
grep -q '^OnStartupSec=' "$scratch/kalendo2-feed.timer" || { echo "timer not at log-on" >&2; exit 1; }
if grep -q '^\[Install\]' "$scratch/kalendo2-feed.service"; then
    echo "the service would be enabled on its own, not through the timer" >&2
    exit 1
fi

# ExecStart as systemd runs it: "$$" is one "$"; the program from the PATH.
script=$(sed -n "s/^ExecStart=\/bin\/sh -c '\(.*\)'\$/\1/p" "$scratch/kalendo2-feed.service" | sed 's/\$\$/$/g')
[ -n "$script" ] || { echo "ExecStart is no /bin/sh -c '…'" >&2; exit 1; }
ln -s "$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")" "$scratch/bin/kalendo2-cli"
run() {
    env -i PATH="$scratch/bin:/usr/bin:/bin" HOME="$scratch/home" "$@" /bin/sh -c "$script"
}
run
[ -s "$scratch/home/.local/share/Kalendo2/Kalendo2.ics" ] || { echo "no feed under ~/.local/share" >&2; exit 1; }
run XDG_DATA_HOME="$scratch/data"
grep -q '^REFRESH-INTERVAL;VALUE=DURATION:P1D' "$scratch/data/Kalendo2/Kalendo2.ics" ||
    { echo "no feed under \$XDG_DATA_HOME" >&2; exit 1; }
echo ok
