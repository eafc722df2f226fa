#!/usr/bin/env bash
# Builds the game (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
vx_ensure_packages $VX_BUILD_PACKAGES
vx_build
cd build/dist
exec ./tumblast
