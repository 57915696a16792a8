#!/usr/bin/env bash
# Builds Talvane and starts it on the bundled data in data/.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh
talvane_ensure_packages
talvane_build build
root="$PWD"
cd data
collection=()
[ -f sample.tvn ] && collection=(sample.tvn)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: starting Talvane under a virtual display and saving a picture of the main window."
    xvfb-run -a "$root/build/bin/talvane" --no-splash --screenshot "$root/build/talvane.png" "${collection[@]}"
    echo "Saved build/talvane.png"
    exit 0
fi
exec "$root/build/bin/talvane" "${collection[@]}"
