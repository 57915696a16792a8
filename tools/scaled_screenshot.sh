#!/usr/bin/env bash
# Takes a picture of the main window as it opens at twice the scale on a screen of
# 1600 × 1000 pixels, with the collection list shown, on the sample collection:
# writes docs/screenshots/window-scale-2.png, in the screen's own pixels.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
talvane_offscreen_screen 1600 1000 "$work/screen.json"
mkdir -p "$work/config/Orvande" "$work/state" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
printf '[CollectionList]\nShown=true\n' > "$work/config/Orvande/Talvane.conf"
out="$PWD/docs/screenshots/window-scale-2.png"
# The program finds its guide and the sample's pictures in the folder it starts in.
(cd data && XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_CACHE_HOME="$work/cache" \
    XDG_RUNTIME_DIR="$work/runtime" QT_SCALE_FACTOR=2 QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json" \
    ../build/bin/talvane --screenshot "$out" sample.tvn)
echo "wrote $out"
