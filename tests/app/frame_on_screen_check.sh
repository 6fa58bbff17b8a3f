#!/bin/bash
# The whole frame, title bar and borders, on a 1280x900 screen under openbox
# (77 without Xvfb, openbox, xwininfo or xprop): per scale and stored corner,
# each edge is inside, "kept" where the corner puts it, or at the screen's
# edge it crossed (one device pixel of rounding at fractional scales).
set -u
[ -x "$1/Kalendo2" ] || exit 77
for tool in Xvfb openbox xwininfo xprop; do command -v $tool >/dev/null || exit 77; done
dir=$(mktemp -d) failed=0 pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT
Xvfb -displayfd 3 -screen 0 1280x900x24 3>"$dir/display" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 300); do [ -s "$dir/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$dir/display")
openbox >/dev/null 2>&1 & pids+=($!)
cp "$1/Kalendo2" "$1"/*.Def "$dir/"
near() { (($1 - $2 <= 1 && $2 - $1 <= 1)); }
while read -r scale left top xrule yrule; do
    printf ';;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n%s : %s\n' "$left" "$top" >"$dir/Kalendo2.Ini"
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$dir/Kalendo2" </dev/null >/dev/null 2>&1 & window=$!
    sleep 5  # mapped, framed by the window manager, placed again
    id=$(xwininfo -root -tree | awk '/\("Kalendo2" "Kalendo2"\)/ {print $1; exit}')
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
    read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left [XY]|Width:|Height:/ {printf "%s ", $NF}')
    x0=$((x - l)) y0=$((y - t)) x1=$((x + w + r)) y1=$((y + h + b)) what="scale $scale at $left:$top"
    ((x0 >= 0 && y0 >= 0 && x1 <= 1280 && y1 <= 900)) || { echo "$what: frame $x0,$y0-$x1,$y1 off the screen"; failed=1; }
    case $xrule in kept) near $x0 $(awk "BEGIN {print int($left * $scale)}") ;; right) near $x1 1280 ;; left) ((x0 == 0)) ;; esac || { echo "$what: left $x0 right $x1"; failed=1; }
    case $yrule in kept) near $y0 $(awk "BEGIN {print int($top * $scale)}") ;; bottom) near $y1 900 ;; top) ((y0 == 0)) ;; esac || { echo "$what: top $y0 bottom $y1"; failed=1; }
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
