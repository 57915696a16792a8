#!/usr/bin/env bash
# Takes a picture of the main window as it opens on the sample collection, with the
# collection list shown, on an offscreen screen of WIDTH × HEIGHT pixels, with fresh
# settings; any VAR=VALUE given after is set for the program (QT_SCALE_FACTOR=2,
# LANGUAGE=fr...).
#   tools/window_screenshot.sh OUT.png WIDTH HEIGHT [VAR=VALUE...]
set -euo pipefail
out="$(realpath -m "$1")"
width="$2"
height="$3"
shift 3
cd "$(dirname "$0")/.."
. scripts/common.sh
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
talvane_offscreen_screen "$width" "$height" "$work/screen.json"
mkdir -p "$work/config/Orvande" "$work/state" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
printf '[CollectionList]\nShown=true\n' > "$work/config/Orvande/Talvane.conf"
# The program finds its guide and the sample's pictures in the folder it starts in.
(cd data && env XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_CACHE_HOME="$work/cache" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json" "$@" \
    ../build/bin/talvane --screenshot "$out" sample.tvn)
echo "wrote $out"
