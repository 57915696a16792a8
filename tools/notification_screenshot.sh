#!/usr/bin/env bash
# Takes a picture of the care reminder as a desktop shows it: a virtual display, a
# session bus of its own and the notification-daemon service, then talvane --remind on
# the sample collection, which has care due. Writes docs/screenshots/care-notification.png.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
talvane_ensure_packages notification-daemon
talvane_build build
cmake --build build --target talvane grab_screen
out="$PWD/docs/screenshots/care-notification.png"
xvfb-run -a -s "-screen 0 800x300x24" dbus-run-session -- bash -c '
  /usr/lib/notification-daemon/notification-daemon &
  sleep 1
  build/bin/talvane --remind data/sample.tvn &
  sleep 2
  build/bin/grab_screen "$0"
  kill %2 %1 2>/dev/null || true
' "$out"
echo "wrote $out"
