#!/usr/bin/env bash
# Builds Talvane and grabs a picture of every window, on the sample data, into docs/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
talvane_ensure_packages
talvane_build build
cmake --build build --target make_screenshots
build/bin/make_screenshots data docs/screenshots
