#!/usr/bin/env bash
# Builds Talvane and grabs a picture of every window, on the sample data, into docs/screenshots,
# and of the phone companion's pages as a phone-sized browser shows them.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
talvane_ensure_packages
talvane_build build
cmake --build build --target make_screenshots
# A screen with room for every window at its designed size, and for the window enlarged.
screen="$(mktemp)"
talvane_offscreen_screen 1920 1200 "$screen"
QT_QPA_PLATFORM="offscreen:configfile=$screen" build/bin/make_screenshots data docs/screenshots
rm -f "$screen"
tools/scaled_screenshot.sh
# The main window in French.
tools/window_screenshot.sh docs/screenshots/main-window-fr.png 1920 1200 LANGUAGE=fr LANG=fr_FR.UTF-8
# The collection list on paper, as its first page looks.
inventory="$(mktemp -d)"
QT_QPA_PLATFORM=offscreen build/bin/talvane --print-pdf "$inventory/inventory.pdf" --inventory data/sample.tvn
pdftoppm -r 80 -png -singlefile "$inventory/inventory.pdf" docs/screenshots/inventory
rm -rf "$inventory"
/usr/bin/python3 tests/browser/companion_browser_test.py --cli build/bin/talvane-cli --data data --screenshots docs/screenshots
