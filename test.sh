#!/usr/bin/env bash
# Builds Talvane and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh
talvane_ensure_packages
talvane_build build
cd build
ctest --output-on-failure -j"$(nproc)"
