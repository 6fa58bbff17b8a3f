#!/bin/bash
# The whole frame, title bar and borders, on a 1280x900 screen under openbox
# (77 without Xvfb, openbox, xwininfo or xprop): per scale and stored corner,
# each edge is inside, "kept" where the corner puts it, or at the screen's
# edge it crossed (one device pixel of rounding at fractional scales).
set -u
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$1/Kalendo2" ] || exit 77
for tool in Xvfb openbox xwininfo xprop; do command -v $tool >/dev/null || exit 77; done
dir=$(mktemp -d) failed=0 pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT
# Up to 30 s for a condition: the machine may be busy.
await() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }
Xvfb -displayfd 3 -screen 0 1280x900x24 3>"$dir/display" >/dev/null 2>&1 & pids+=($!)
await test -s "$dir/display"
export DISPLAY=:$(head -1 "$dir/display")
openbox >/dev/null 2>&1 & pids+=($!)
cp "$1/Kalendo2" "$1"/*.Def "$dir/"
near() { (($1 - $2 <= 1 && $2 - $1 <= 1)); }
# The frame as the rules want it; $problem says what is not.
placed() {
    id=$(xwininfo -root -tree | awk '/\("Kalendo2" "Kalendo2"\)/ {print $1; exit}')
    problem="$what: no framed window"
    [ -n "$id" ] || return 1
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
    [ -n "$b" ] || return 1
    read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left [XY]|Width:|Height:/ {printf "%s ", $NF}')
    x0=$((x - l)) y0=$((y - t)) x1=$((x + w + r)) y1=$((y + h + b))
    problem="$what: frame $x0,$y0-$x1,$y1"
    ((x0 >= 0 && y0 >= 0 && x1 <= 1280 && y1 <= 900)) || return 1
    case $xrule in kept) near $x0 $(awk "BEGIN {print int($left * $scale)}") ;; right) near $x1 1280 ;; left) ((x0 == 0)) ;; esac || return 1
    case $yrule in kept) near $y0 $(awk "BEGIN {print int($top * $scale)}") ;; bottom) near $y1 900 ;; top) ((y0 == 0)) ;; esac
}
while read -r scale left top xrule yrule; do
    printf ';;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n%s : %s\n' "$left" "$top" >"$dir/Kalendo2.Ini"
    rm -f "$dir/ready" "$dir/up"
    /usr/bin/python3 "$here/../await_ready.py" "$dir/ready" 60 >"$dir/up" & pids+=($!)
    await grep -qx listening "$dir/up"
    what="scale $scale at $left:$top"
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale NOTIFY_SOCKET=$dir/ready "$dir/Kalendo2" </dev/null >/dev/null 2>&1 & window=$!
    # Shown, then framed by the window manager and placed again for its frame.
    if ! await grep -qx ready "$dir/up"; then echo "$what: the window did not come up"; failed=1
    elif ! await placed; then echo "$problem"; failed=1; fi
    kill $window; wait $window 2>/dev/null
done <<'CASES'
1 1000 700 right bottom
1.25 1000 700 right bottom
1.5 1000 700 right bottom
2 1000 700 right bottom
1.5 100 120 kept kept
2 200 150 kept bottom
1.25 -40 -30 left top
1.25 2000 20 right kept
CASES
exit $failed
