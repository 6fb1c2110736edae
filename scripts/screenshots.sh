#!/usr/bin/env bash
# Retakes the README's screenshots of the two pages from the real program, on a private X server:
#   scripts/screenshots.sh [BUILD_DIR]      (default build/; needs xvfb, openbox, xdotool, imagemagick)
# Each page is shown with a worked example typed in and computed, and saved with its window frame as
# docs/screenshot-page1.png and docs/screenshot-page2.png.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build}/quellmar
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 2; }

display=
for n in $(seq 90 120); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }

pids=()
# The program first, the X server last.
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
}
trap cleanup EXIT
export DISPLAY=$display
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
sleep 0.5
"$program" & pids+=($!)

window=
for _ in $(seq 50); do
  window=$(xdotool search --onlyvisible --name '^Quellmar$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null || true
sleep 0.5

# Clicks at a point of the client area: the tab control lies at (9, 7) in it, and the controls'
# places are taken from the tab control's corner.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.2; }
type_text() { xdotool type --delay 30 "$1"; }
shoot() {
  xdotool mousemove --window "$window" 540 340  # the pointer off the controls
  sleep 0.5
  local x y w h left right top bottom
  read -r x y w h < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width/{w=$NF} /Height/{h=$NF}
         END{print x, y, w, h}')
  read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
  import -window root -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" +repage "$1"
}
mkdir -p docs

# First page: revenue 100 and cost 70, then cost 100 at a target margin of 20 %.
click 74 118;  type_text 100
click 215 117; type_text 70
click 307 112
click 81 273;  type_text 100
click 210 271; type_text 20
click 304 264
shoot docs/screenshot-page1.png

# Second page: 120 this period against 100 the period before.
click 400 17
click 74 143;  type_text 120
click 185 142; type_text 100
click 386 137
shoot docs/screenshot-page2.png
echo "wrote docs/screenshot-page1.png and docs/screenshot-page2.png"
