#!/usr/bin/env bash
# Checks the viewer's windows as a user meets them, under Xvfb with a real
# window manager (openbox), on a fresh demo folder and fresh settings:
#   - at the first start the main window takes most of the 1920 x 1080 screen
#     and no other window of the program is on the screen (the field and GPS
#     windows are docked, so nothing covers the map);
#   - three starts and closes in a row leave the main window where it was, at
#     the same size;
#   - the field window floated off the main window comes back floating, at
#     the same place and size, three starts in a row;
#   - the program starts in Hungarian.
# Screenshots go to OUT (default /tmp/window-check). Exit status 1 when a
# geometry crept. Needs a build (scripts/build.sh) and openbox, xdotool
# (scripts/setup.sh).
#   scripts/window-check.sh [OUT]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-/tmp/window-check}"
viewer="$root/build/bin/sorvan-gis-viewer"
for tool in Xvfb openbox xdotool xprop import; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (run scripts/setup.sh)"; exit 2; }
done
[ -x "$viewer" ] || { echo "missing: $viewer (run scripts/build.sh)"; exit 2; }

work="$(mktemp -d)"
mkdir -p "$out"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY="$display"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

"$root/build/bin/sorvan-gis" demo "$work/demo" >/dev/null
printf '1\r\n' > "$work/demo/SPRACHE.DAT"
settings="$work/settings.ini"
failed=0

# The outer geometry of window W: x y width height (frame included).
frame_of() {
  local w=$1 x y width height ext l r t b
  x=$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^X=//p')
  y=$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^Y=//p')
  width=$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^WIDTH=//p')
  height=$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^HEIGHT=//p')
  ext=$(xprop -id "$w" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
  IFS=, read -r l r t b <<<"${ext:-0,0,0,0}"
  echo "$((x - l)) $((y - t)) $((width + l + r)) $((height + t + b))"
}

# Starts the viewer and waits until its main window and the windows it
# shows are up; sets pid and main.
start() {
  "$viewer" --folder "$work/demo" --settings "$settings" >"$work/viewer.log" 2>&1 &
  pid=$!
  main=""
  for _ in $(seq 150); do
    xdotool search --all --onlyvisible --pid "$pid" --name 'Sorvan-GIS-Viewer' >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 3 # the start window goes, the main window settles
  main=$(xdotool search --all --onlyvisible --pid "$pid" --name 'Sorvan-GIS-Viewer$' 2>/dev/null | head -1) || true
  [ -n "$main" ] || { echo "the main window did not appear"; cat "$work/viewer.log"; exit 1; }
}

# The program's visible windows besides the main window: floating ones.
others() {
  xdotool search --all --onlyvisible --pid "$pid" --name 'Betriebe und Schl|GPS-Daten|Gazdas|GPS-adat' \
    2>/dev/null | grep -v "^$main\$" || true
}

stop() {
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  xdotool key ctrl+q
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { echo "the viewer did not end"; kill "$pid"; }
  wait "$pid" 2>/dev/null || true
}

echo "== first start"
start
first=$(frame_of "$main")
echo "main window: $first (x y width height)"
read -r _ _ w h <<<"$first"
if [ "$w" -lt 1400 ] || [ "$h" -lt 780 ]; then
  echo "FAIL: the first start does not use the screen"; failed=1
fi
if [ -n "$(others)" ]; then
  echo "FAIL: a window of the program floats over the map at the first start"; failed=1
fi
import -window root "$out/1-first-start.png"
import -window "$main" "$out/1-main-window.png"
stop

echo "== three restarts"
previous="$first"
for run in 1 2 3; do
  start
  now=$(frame_of "$main")
  echo "start $run: $now"
  [ "$now" = "$previous" ] || { echo "FAIL: the main window moved or changed size"; failed=1; }
  [ "$run" = 1 ] && import -window root "$out/2-after-restart.png"
  previous="$now"
  stop
done

echo "== floating field window"
start
# Double-click the field window's title bar, found from the map downwards.
read -r mx my mw mh <<<"$(frame_of "$main")"
floating=""
for dy in $(seq $((mh * 55 / 100)) 4 $((mh * 80 / 100))); do
  xdotool mousemove "$((mx + 300))" "$((my + dy))" click --repeat 2 --delay 80 1
  sleep 0.4
  floating=$(others | head -1)
  [ -n "$floating" ] && break
done
if [ -z "$floating" ]; then
  echo "FAIL: the field window could not be floated"; failed=1
else
  xdotool windowmove "$floating" 260 520 windowsize "$floating" 900 300
  sleep 1
  float_before=$(frame_of "$floating")
  echo "floating field window: $float_before"
  import -window root "$out/3-floating-field-window.png"
  stop
  for run in 1 2 3; do
    start
    floating=$(others | head -1)
    if [ -z "$floating" ]; then
      echo "FAIL: the field window no longer floats"; failed=1; stop; break
    fi
    now=$(frame_of "$floating")
    echo "start $run: floating field window $now"
    [ "$run" = 1 ] && import -window root "$out/3b-floating-after-restart.png"
    [ "$now" = "$float_before" ] || { echo "FAIL: the floating window moved or changed size"; failed=1; }
    float_before="$now"
    stop
  done
fi

echo "== Hungarian"
rm -f "$settings"
printf '5\r\n' > "$work/demo/SPRACHE.DAT"
start
import -window root "$out/4-hungarian.png"
stop

echo "screenshots in $out"
[ "$failed" = 0 ] && echo "window check: passed" || echo "window check: FAILED"
exit "$failed"
