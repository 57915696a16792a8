#!/usr/bin/env bash
# Takes a picture of the main window as it opens at twice the scale on a screen of
# 1600 × 1000 pixels, with the collection list shown, on the sample collection:
# writes docs/screenshots/window-scale-2.png, in the screen's own pixels.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/window_screenshot.sh docs/screenshots/window-scale-2.png 1600 1000 QT_SCALE_FACTOR=2
