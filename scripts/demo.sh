#!/usr/bin/env bash
# Sets everything up, creates the demo program folder demo/ (once) and starts
# the viewer on it. Without a display the viewer loads the folder on the
# offscreen platform and reports what it loaded, and the map sheets of the
# demo farms with their plot lists are printed to demo-sheets.pdf.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
demo="$root/demo"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
if [ ! -e "$demo/GISDATEN.MDB" ]; then
  "$root/build/bin/sorvan-gis" demo "$demo"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set): loading the demo folder without a window."
  QT_QPA_PLATFORM=offscreen "$root/build/bin/sorvan-gis-viewer" --folder "$demo" \
    --settings "$demo/.viewer-settings.ini" --report-and-quit
  sheets="$root/demo-sheets.pdf"
  "$root/build/bin/sorvan-gis" print --folder "$demo" --out "$sheets" --list
  echo "The map sheets of the demo farms, each with its plot list, are printed to $sheets"
else
  exec "$root/build/bin/sorvan-gis-viewer" --folder "$demo"
fi
