#!/bin/bash
# The whole frame, title bar and borders, on the screen under a real window
# manager (openbox in Xvfb, 1280x900; 77 when they are not installed): for
# each scale and stored corner, the frame lies within the screen, a corner
# already good is kept, and one that was not touches the edge it crossed
# (within one device pixel of rounding at a fractional scale).
# Usage: frame_on_screen_check.sh BIN_FOLDER
set -u
bin=$1 failed=0 pids=()
for tool in Xvfb openbox xwininfo xprop; do command -v $tool >/dev/null || exit 77; done
scratch=$(mktemp -d "${TMPDIR:-/tmp}/k2-frame-XXXXXX")
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "frame_on_screen_check: $*" >&2; failed=1; }
await() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }
Xvfb -displayfd 3 -screen 0 1280x900x24 3>"$scratch/display" >/dev/null 2>&1 &
pids+=($!)
await test -s "$scratch/display" || { fail "Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -1 "$scratch/display")
openbox >/dev/null 2>&1 &
pids+=($!)
cp "$bin/Kalendo2" "$bin"/*.Def "$scratch/"
# The frame's rectangle in device pixels: the client's corner less the
# extents the window manager announces.
frame() {
    id=$(xwininfo -root -tree | awk '/\("Kalendo2" "Kalendo2"\)/ {print $1; exit}')
    [ -n "$id" ] || return 1
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
    [ -n "${b:-}" ] || return 1
    x=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $4}')
    w=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
    rect=($((x - l)) $((y - t)) $((x + w + r)) $((y + h + b)))
}
# scale, stored corner, what each edge must be: "in" within the screen,
# "kept" where the corner puts it (scaled), "edge" touching the screen's.
while read -r scale left top xrule yrule; do
    printf ';;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\r\n\r\n[Position]\r\n%s : %s\r\n' \
        "$left" "$top" >"$scratch/Kalendo2.Ini"
    env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" "$scratch/Kalendo2" \
        </dev/null >/dev/null 2>&1 &
    window=$!
    what="scale $scale at $left:$top"
    # The window manager decorates, then the window moves: the last place.
    if await frame; then
        sleep 2
        frame
        read -r x0 y0 x1 y1 <<<"${rect[*]}"
        ((x0 >= 0 && y0 >= 0 && x1 <= 1280 && y1 <= 900)) || fail "$what: frame $x0,$y0-$x1,$y1 off the screen"
        near() { (($1 - $2 <= 1 && $2 - $1 <= 1)); }
        case $xrule in
            kept) near "$x0" "$(awk "BEGIN {printf \"%d\", $left * $scale}")" || fail "$what: left $x0 moved" ;;
            right) near "$x1" 1280 || fail "$what: right edge $x1, not at the screen's" ;;
            left) [ "$x0" -eq 0 ] || fail "$what: left edge $x0, not at the screen's" ;;
        esac
        case $yrule in
            kept) near "$y0" "$(awk "BEGIN {printf \"%d\", $top * $scale}")" || fail "$what: top $y0 moved" ;;
            bottom) near "$y1" 900 || fail "$what: bottom edge $y1, not at the screen's" ;;
            top) [ "$y0" -eq 0 ] || fail "$what: top edge $y0, not at the screen's" ;;
        esac
    else
        fail "$what: no decorated window appeared"
    fi
    kill "$window" 2>/dev/null
    wait "$window" 2>/dev/null
done <<'CASES'
1 1000 700 right bottom
1.25 1000 700 right bottom
1.5 1000 700 right bottom
2 1000 700 right bottom
1 100 120 kept kept
1.5 100 120 kept kept
2 200 150 kept bottom
1 -40 -30 left top
1.25 -40 -30 left top
2 -40 -30 left top
1.25 2000 20 right kept
CASES
exit "$failed"
