#!/bin/sh
# The feed's systemd user units: systemd-analyze verify says nothing of
# them, the timer runs daily and at log-on and only it is enabled (by the
# user), and the service's command, run as the user manager runs it, writes
# the feed into the user folder under the XDG data folder.
# Usage: systemd_units_check.sh UNIT_FOLDER CLI
set -eu
units=$1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/k2-units-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime" "$scratch/bin"
cp "$units/kalendo2-feed.service" "$units/kalendo2-feed.timer" "$scratch/"
cd "$scratch"
XDG_RUNTIME_DIR="$scratch/runtime" systemd-analyze --user --man=no verify \
    kalendo2-feed.service kalendo2-feed.timer >said 2>&1 && [ ! -s said ] || { cat said >&2; exit 1; }
grep -q '^OnCalendar=daily$' kalendo2-feed.timer && grep -q '^OnStartupSec=' kalendo2-feed.timer &&
    grep -qx 'WantedBy=timers.target' kalendo2-feed.timer && ! grep -q '^\[Install\]' kalendo2-feed.service ||
    { echo "not daily and at log-on, or the service is enabled on its own" >&2; exit 1; }

# ExecStart as systemd runs it ("$$" is "$"), the program from the PATH.
script=$(sed -n "s/^ExecStart=\/bin\/sh -c '\(.*\)'\$/\1/p" kalendo2-feed.service | sed 's/\$\$/$/g')
ln -s "$(realpath "$2")" bin/kalendo2-cli
env -i PATH="$scratch/bin:/usr/bin:/bin" HOME="$scratch/home" /bin/sh -c "$script"
env -i PATH="$scratch/bin:/usr/bin:/bin" HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" /bin/sh -c "$script"
grep -q '^REFRESH-INTERVAL;VALUE=DURATION:P1D' home/.local/share/Kalendo2/Kalendo2.ics \
    data/Kalendo2/Kalendo2.ics || { echo "no feed in the user folder" >&2; exit 1; }
echo ok
